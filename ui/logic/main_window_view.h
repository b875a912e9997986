#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/category_lists.h"
#include "core/work_progress.h"
#include "ops/area_split.h"
#include "ops/number_comparison.h"
#include "ui/logic/list_entry.h"
#include "ui/logic/number_areas.h"
#include "ui/logic/prompts.h"
#include "ui/logic/settings_store.h"
#include "ui/logic/view_order.h"

namespace zelvane {

class AnalysisChoice;
class ReportDialogLogic;

inline constexpr std::string_view kOneClickExportFolderTitle = "所选择路径:   ";

// The six boxes above the list: "全部", and one per category in category order.
struct BoxStates {
  bool all = true;
  CategoryFilter ticked{};
};

// The two files and the mode that "号码分析" was closed with.
struct ComparisonRequest {
  std::filesystem::path file1;
  std::filesystem::path file2;
  ComparisonMode mode = ComparisonMode::FindSame;
  friend bool operator==(const ComparisonRequest&, const ComparisonRequest&) = default;
};

// What the main window's logic asks of a window: the prompts and dialogs that wait for the user, long
// work with its progress window, and what the window shows. Each toolkit's main window implements it;
// tests implement it with prepared answers. Text is UTF-8.
class MainWindowView {
 public:
  virtual ~MainWindowView() = default;

  // The prompts and message boxes, answered as in every other window of the program.
  virtual Prompts& UserPrompts() = 0;
  // "分割符", opening with offered in its field: the text typed, nothing trimmed (empty: CR LF); nothing
  // when Esc or the close box closed it, which cancels the export. The typed text may hold characters
  // that GBK cannot. A note (a hashed export's warning) shows under the field; empty: the dialog as
  // it always looked.
  virtual std::optional<std::string> AskSeparator(std::string_view offered, std::string_view note) = 0;
  // "选择号码所在的列" (saying prompt above the list) and "导出格式": a list of entries, chosen at first,
  // with 确定 (Enter) and 取消. The entry chosen when 确定 closed it; nothing for 取消, Esc or the close box.
  virtual std::optional<std::size_t> AskColumn(std::string_view prompt, const std::vector<ListEntry>& entries,
                                               std::size_t chosen) = 0;
  virtual std::optional<std::size_t> AskExportKind(const std::vector<ListEntry>& entries, std::size_t chosen) = 0;
  // 按地区导出's menu: a file per province or per city, or nothing when it was closed.
  virtual std::optional<AreaLevel> AskAreaLevel() = 0;
  // "号码分析" over choice, which it opens with and leaves as it was closed: the two files and the
  // mode, or nothing when it was cancelled.
  virtual std::optional<ComparisonRequest> AskComparison(AnalysisChoice& choice) = 0;
  // "号码统计": runs its window over logic until the user closes it.
  virtual void ShowReport(ReportDialogLogic& logic) = 0;
  virtual void ShowAbout() = 0;
  virtual void ShowHelp() = 0;

  // Runs work on another thread while the window goes on answering; work that lasts shows a progress
  // window saying what, whose 取消 asks it to stop. Returns once the work ended, rethrowing what it
  // threw; false when it was asked to stop.
  virtual bool RunWork(std::string_view what, const std::function<void(WorkProgress&)>& work) = 0;
  // Asks the work that runs to stop, as 取消 does.
  virtual void CancelWork() = 0;
  // The wait cursor, on or off.
  virtual void ShowWaitCursor(bool wait) = 0;

  // Enables or disables what starts work (buttons, boxes, the table choice, menu commands, dropping).
  virtual void EnableCommands(bool enable) = 0;
  // The status line and the chart after the lists changed.
  virtual void ShowCounts(std::string_view status, const CategoryCounts& counts) = 0;
  // The table choice: an entry chosen quietly; the entry of a loaded table added or renamed and chosen.
  virtual void ChooseTableEntry(int entry) = 0;
  virtual void ShowLoadedTable(std::string_view name, std::string_view path) = 0;
  // The status line alone (a selected number's carrier and area, where an export went).
  virtual void ShowStatusLine(std::string_view text) = 0;
  // The six boxes as given (all clear while the list holds a comparison's result, which they do not
  // filter), and the area choice enabled or not (not while it holds one).
  virtual void ShowBoxes(const BoxStates& boxes) = 0;
  virtual void EnableAreaChoice(bool enable) = 0;
  // The area choice: its entries, and the one chosen.
  virtual void ShowAreas(const std::vector<AreaEntry>& entries, std::size_t chosen) = 0;
  // The area table choice, as the table choice: an entry chosen quietly; the loaded table's entry.
  virtual void ChooseAreaTableEntry(int entry) = 0;
  virtual void ShowLoadedAreaTable(std::string_view name, std::string_view path) = 0;
  // Where the window's choices are kept between starts.
  virtual SettingsStore& Settings() = 0;
  // Closes the window, now that the work that held it ended.
  virtual void CloseLater() = 0;
};

}  // namespace zelvane
