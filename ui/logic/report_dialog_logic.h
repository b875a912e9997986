#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ops/list_report.h"
#include "ui/logic/prompts.h"

namespace zelvane {

class MainWindowView;
class ShownNumbers;

inline constexpr FilePrompt kReportExportPrompt{"导出统计表", "Excel 工作簿(*.xlsx);;CSV 文件(*.csv);;文本文件(*.txt)",
                                                "xlsx"};

// What 号码统计 shows of the lists: the rows by province and by city, and the summary.
struct ListReportData {
  std::vector<ReportRow> provinces;  // the 合计 row last
  std::vector<ReportRow> cities;     // the 合计 row last
  ReportSummary summary;
};

// The lists' report; repeats counted by the caller (the longest part, which runs as work).
ListReportData ReportOfLists(const ShownNumbers& numbers, std::uint64_t repeats);

// What 号码统计's window decides, whatever draws it: a row per province, a province opened to its cities
// below it, sorted by the column last clicked (again: the other way), the 合计 row last; the chart of the
// largest areas shown; the summary; 导出 of the table as shown.
class ReportDialogLogic {
 public:
  enum Column { kArea = 0, kAreaCode = 1, kFirstCategory = 2, kTotal = 7, kShare = 8, kColumnCount = 9 };
  static constexpr std::array<std::string_view, kColumnCount> kColumnTitles = {"地区",   "区号", "移动", "联通", "电信",
                                                                               "小灵通", "其他", "合计", "占比"};
  static constexpr std::size_t kChartBars = 10;

  enum class RowKind { Province, City, Total };
  struct ShownRow {
    RowKind kind;
    bool opens;  // a province with cities, which activating opens or closes
    std::array<std::string, kColumnCount> cells;
  };
  struct ChartBar {
    std::string label;
    std::string countText;  // grouped: "1,104,410"
    double share;           // of the largest bar: 0 to 1
  };

  ReportDialogLogic(MainWindowView& view, ListReportData data);

  const std::vector<ShownRow>& Rows() const { return m_rows; }
  std::string Summary() const;
  // The largest areas of the level shown: the provinces, or the opened province's cities.
  std::vector<ChartBar> Chart() const;
  int SortColumn() const { return m_sortColumn; }
  bool SortsDescending() const { return m_descending; }

  // A column's header clicked: sorts by it, largest first (names in order), again the other way.
  void OnHeaderClicked(int column);
  // A row activated (double click, Enter): a province opens to its cities, or closes.
  void OnRowActivated(std::size_t row);
  // 导出: the table as shown, as the chosen file's type says (.xlsx, .csv, else tab-separated text).
  void OnExport();

 private:
  void Rebuild();
  bool Before(const ReportRow& a, const ReportRow& b) const;
  ShownRow RowOf(const ReportRow& row, RowKind kind) const;

  MainWindowView& m_view;
  ListReportData m_data;
  int m_sortColumn = kTotal;
  bool m_descending = true;
  std::optional<std::string> m_opened;  // the province opened to its cities
  std::vector<ShownRow> m_rows;
  std::vector<const ReportRow*> m_shown;  // the data row of each shown row
};

}  // namespace zelvane
