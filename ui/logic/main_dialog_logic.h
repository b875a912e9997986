#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/category_lists.h"
#include "core/prefix_table.h"
#include "ops/number_input.h"
#include "res/resource_ids.h"
#include "ui/logic/export_kinds.h"
#include "ui/logic/main_window_view.h"
#include "ui/logic/shown_numbers.h"

namespace zelvane {

// The box of each category, in category order; "全部" is IDC_CHECK_ALL.
struct CategoryBox {
  int id;
  NumberCategory category;
};
inline constexpr CategoryBox kCategoryBoxes[] = {
    {res::IDC_CHECK_MOBILE, NumberCategory::Mobile},   {res::IDC_CHECK_UNICOM, NumberCategory::Unicom},
    {res::IDC_CHECK_TELECOM, NumberCategory::Telecom}, {res::IDC_CHECK_PHS, NumberCategory::Phs},
    {res::IDC_CHECK_OTHER, NumberCategory::Other},
};

// What the main window decides, whatever draws it: imports number files into the five category lists,
// shows them as the boxes filter them, reports the counts, writes the shown numbers or every category
// out, compares two number files into the list, switches the prefix table. Each command handler runs
// through RunCommand, so that running out of memory on the way tells the user and leaves the numbers
// and the list as they were: every command changes them only once nothing can fail any more.
class MainDialogLogic {
 public:
  // The table choice's fixed entries; loaded tables come after them, "载入号段表…" (-1) last.
  enum TableEntry { kOriginalTable = 0, kCurrentTable = 1, kLoadedTable = 2, kLoadTableEntry = -1 };
  // The entry of a table choice that the handlers take for its index'th of count: the last loads a file.
  static int ChoiceEntry(int index, int count) { return index == count - 1 ? kLoadTableEntry : index; }
  // The choice's texts: the fixed entries, then the last one.
  static constexpr std::string_view kFixedTableNames[] = {"原始号段（2009）", "最新号段（2026）"};
  static constexpr std::string_view kLoadTableName = "载入号段表…";
  // The area table choice: the built-in table, the loaded one, "载入归属地表…" (kLoadTableEntry) last.
  enum AreaTableEntry { kBuiltInAreas = 0, kLoadedAreas = 1 };
  static constexpr std::string_view kBuiltInAreasName = "内置归属地";
  static constexpr std::string_view kLoadAreasName = "载入归属地表…";
  // 按地区导出's menu.
  static constexpr std::string_view kByProvinceName = "按省份导出(&P)";
  static constexpr std::string_view kByCityName = "按城市导出(&C)";

  MainDialogLogic(MainWindowView& view, ShownNumbers& numbers);

  const CategoryLists& Lists() const { return m_numbers.Lists(); }
  const BoxStates& Boxes() const { return m_boxes; }
  bool WorkRunning() const { return m_working; }

  // At start: the tables the last run left in use, then the area choice. A remembered table file that
  // is gone or no longer loads gives way to the built-in table, and the status line says so.
  void RestoreChoices();
  // The area choice as the lists are now (at start: "全部地区" and "未知地区").
  void ShowAreas();
  // Runs a command handler; out of memory becomes a message.
  void RunCommand(const std::function<void()>& command);

  // 导入 (one file or several chosen at once), and files dropped or given at start: imported in order,
  // and the user told once: the total, and each file that could not be read with its reason (the
  // others are imported all the same). Over a comparison's result the list shows the lists again.
  void OnImport();
  void ImportFiles(const std::vector<std::filesystem::path>& paths);
  // A box was clicked (nothing: "全部"); boxes are the states now. Over a comparison's result, any box
  // goes back to the lists as the boxes now say.
  void OnBox(std::optional<NumberCategory> box, const BoxStates& boxes);
  void OnExport();
  void OnOneClickExport();
  // 按地区导出: every number, in import order, a file per province or city in a folder the user picks.
  void OnExportByArea();
  // 号码分析: the result in the list, what was found in a message and in the status line, which says so
  // until the list shows the lists again.
  void OnAnalysis();
  void OnHelp() { m_view.ShowHelp(); }
  void OnAbout() { m_view.ShowAbout(); }
  // The user chose a table entry (kLoadTableEntry: "载入号段表…").
  void OnTableChosen(int entry);
  // The user chose an entry of the area choice, or of the area table choice.
  void OnAreaChosen(std::size_t entry);
  void OnAreaTableChosen(int entry);
  // The list's selection changed: one item selected (its index), or not one.
  void OnSelection(std::optional<std::size_t> single);
  // 清空: every number forgotten, once the user said yes (asked only while there are numbers).
  void OnClearNumbers();
  void OnRemoveRepeats();
  // 号码统计: the lists counted by area and carrier, in a window of their own.
  void OnReport();
  // The window is asked to close: true when it may close now. While work runs the work is asked to
  // stop, and the window closes once it did.
  bool OnClose();

 private:
  // Runs long work with the commands that would start other work disabled; false when it was cancelled.
  bool RunWork(const std::string& what, const std::function<void(WorkProgress&)>& work);
  void EndWork();
  // The separator dialog's answer as bytes to write, CR LF when nothing was typed; nothing when the
  // dialog was cancelled, or, after telling the user, when the typed text cannot be written in GBK.
  // The dialog shows note (the export kind's) under its field.
  std::optional<std::string> AskSeparator(std::string_view note);
  // The separator for an export of kind: asked for text only (nothing: cancelled), empty for tables;
  // nothing, after telling the user, when this system cannot hash as the kind wants.
  std::optional<std::string> SeparatorFor(const ExportKind& kind);
  // 一键导出 and 按地区导出: what writes the files, into a folder in a format (with a separator for text),
  // counting the files written and what became of the numbers not written as they are.
  struct FolderExportJob {
    std::filesystem::path folder;
    std::string separator;
    NumberFileStyle style;
  };
  using FolderExport = std::function<std::vector<FileError>(const FolderExportJob&, WorkProgress&,
                                                            NumberOutputCounts& written, std::size_t& files)>;
  void ExportToFolder(std::string_view doing, const FolderExport& write);
  // How a file of an import is read, as the user answered.
  struct FileReading {
    std::optional<InputReading> reading;  // nothing: a text file read token by token
    bool leftOut = false;                 // the user chose no column of its table
  };
  // Asks what a file needs asked: the column of a table where several hold numbers (after counting
  // them as work), whether to take a text's numbers from inside it. result gets what failed (the file
  // is not imported then); rounded cells found in the import go to notes. False when the user
  // cancelled the counting: nothing is imported.
  bool AskReading(const std::filesystem::path& path, std::uint64_t size, FileReading& reading, FileResult& result,
                  std::vector<std::string>& notes);
  // Rebuilds the list from the boxes, or appends one category's numbers to it.
  void RefreshList(std::optional<NumberCategory> appended);
  CategoryFilter Admitted() const;
  // The status line, the chart, the area choice and the boxes after the lists or the list changed.
  void ShowCounts();
  // The counts, or while the list holds a comparison's result what it found.
  std::string StatusLine() const;
  int TableInUse() const;

  MainWindowView& m_view;
  ShownNumbers& m_numbers;
  BoxStates m_boxes;
  const PrefixTable* m_table = &PrefixTable::Original();
  std::optional<PrefixTable> m_loadedTable;  // the table file the user loaded last, if any
  std::filesystem::path m_loadedTableFile;
  std::unique_ptr<AreaTable> m_loadedAreas;  // the area table file loaded last; the numbers' areas point into it
  std::filesystem::path m_loadedAreasFile;
  std::vector<AreaEntry> m_areaEntries;     // as the area choice shows them
  std::optional<std::string> m_comparison;  // the status line while the list holds a comparison's result
  bool m_working = false;
  bool m_closeAsked = false;
};

}  // namespace zelvane
