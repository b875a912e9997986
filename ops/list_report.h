#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/area_table.h"
#include "core/count_text.h"
#include "core/file_error.h"
#include "core/number_category.h"

namespace zelvane {

// What a list holds, by home area and carrier: the table of 号码统计 and `zelvane-cli report`.
enum class ReportLevel { Province, City };

struct ReportRow {
  std::string province;  // "未知地区" for the numbers of no known area
  std::string city;      // by city only
  std::string areaCode;  // by city only; "" when the table names none
  std::array<std::uint64_t, kCategoryCount> counts{};

  std::uint64_t Total() const;
};

// Counts numbers by area and category as they come; a count costs one increment.
class AreaCategoryCounts {
 public:
  explicit AreaCategoryCounts(const AreaTable& areas)
      : areas_(&areas), counts_((areas.AreaCount() + 1) * kCategoryCount, 0) {}

  void Add(AreaTable::AreaId area, NumberCategory category) {
    ++counts_[std::size_t{area} * kCategoryCount + CategoryIndex(category)];
  }

  // A row per province or city that holds numbers, the largest total first (ties by name), and the
  // row 合计 of everything last.
  std::vector<ReportRow> Rows(ReportLevel level) const;

  std::uint64_t Count(AreaTable::AreaId area) const;

 private:
  const AreaTable* areas_;
  std::vector<std::uint64_t> counts_;
};

// The line above the table: the numbers, the distinct ones, the repeats, those of no known area.
struct ReportSummary {
  std::uint64_t numbers = 0;
  std::uint64_t distinct = 0;
  std::uint64_t unknownArea = 0;
};

// count of whole as "12.0%"; "0.0%" of nothing.
std::string ShareText(std::uint64_t count, std::uint64_t whole);

// "共1000个号码，不同的号码980个，重复20个，未知地区120个（12.0%）", the counts in form.
std::string ReportSummaryText(const ReportSummary& summary, CountForm form = CountForm::Digits);

// The table as text: a header row (省份, [城市, 区号,] 移动 … 其他, 合计), then the rows, fields split by
// delimiter, lines ended by LF. Area names hold no blanks (tables split their fields at blanks).
std::string ReportTableText(const std::vector<ReportRow>& rows, ReportLevel level, char delimiter);

// The table written into a file, replaced whole: a workbook or CSV file by its extension, else the text
// above with tabs.
FileResult WriteReportTable(const std::filesystem::path& path, const std::vector<ReportRow>& rows, ReportLevel level);

}  // namespace zelvane
