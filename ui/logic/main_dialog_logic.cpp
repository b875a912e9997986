#include "ui/logic/main_dialog_logic.h"

#include <algorithm>
#include <iterator>
#include <new>
#include <utility>

#include "core/file_error.h"
#include "core/platform/gbk.h"
#include "core/text_encoding.h"
#include "ops/area_export.h"
#include "ops/category_files.h"
#include "ops/column_numbers.h"
#include "ops/hashed_comparison.h"
#include "ops/number_file_writer.h"
#include "ops/number_input.h"
#include "ops/numbers_inside_text.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "ui/logic/analysis_choice.h"
#include "ui/logic/column_entries.h"
#include "ui/logic/export_kinds.h"
#include "ui/logic/remembered_choices.h"
#include "ui/logic/report_dialog_logic.h"

namespace zelvane {

namespace {

constexpr CategoryFilter kEveryCategory = {true, true, true, true, true};

// The name of a file or folder in "正在导入“numbers.txt”…".
std::string NameOf(const std::filesystem::path& path) {
  return PathInMessage((path.has_filename() ? path : path.parent_path()).filename());
}

// About the bytes an export of the shown numbers writes, for its progress: numbers of the lists' mean length.
std::uint64_t ShownBytes(const ShownNumbers& numbers, NumberFileStyle style, std::size_t separator) {
  const CategoryLists& lists = numbers.Lists();
  const std::uint64_t numberBytes = lists.size() == 0 ? 11 : lists.TextBytes() / lists.size();
  return WrittenSize(style, numbers.size(), numbers.size() * numberBytes, separator);
}

// What an export says of the numbers it did not write as they are, each after lead; nothing when none.
std::string WrittenText(const NumberOutputCounts& written, std::string_view lead) {
  std::string text;
  for (const std::string& note : WrittenNumbersNotes(written, CountForm::Grouped)) text += std::string(lead) + note;
  return text;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
  return text;
}

// The wait cursor for as long as the object lives.
class WaitCursor {
 public:
  explicit WaitCursor(MainWindowView& view) : view_(view) { view_.ShowWaitCursor(true); }
  ~WaitCursor() { view_.ShowWaitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  MainWindowView& view_;
};

}  // namespace

MainDialogLogic::MainDialogLogic(MainWindowView& view, ShownNumbers& numbers) : m_view(view), m_numbers(numbers) {}

void MainDialogLogic::RunCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::bad_alloc&) {
    m_view.UserPrompts().ShowMessage("内存不足，无法完成这个操作");
  }
}

bool MainDialogLogic::RunWork(const std::string& what, const std::function<void(WorkProgress&)>& work) {
  m_view.EnableCommands(false);
  m_working = true;
  bool finished = false;
  try {
    finished = m_view.RunWork(what, work);
  } catch (...) {
    EndWork();
    throw;
  }
  EndWork();
  return finished;
}

void MainDialogLogic::EndWork() {
  m_working = false;
  m_view.EnableCommands(true);
  m_view.EnableAreaChoice(!m_comparison);
  // The window was closed meanwhile: it goes once the command that ran has ended, however it ended.
  if (std::exchange(m_closeAsked, false)) m_view.CloseLater();
}

bool MainDialogLogic::OnClose() {
  if (!m_working) return true;
  m_closeAsked = true;
  m_view.CancelWork();
  return false;
}

void MainDialogLogic::OnImport() { ImportFiles(m_view.UserPrompts().ChooseOpenFiles(kImportPrompt)); }

void MainDialogLogic::ImportFiles(const std::vector<std::filesystem::path>& paths) {
  if (paths.empty()) return;
  const CategoryCounts before = m_numbers.Lists().Counts();
  const std::uint64_t countBefore = m_numbers.Lists().size();
  // Opened here, so that a file is read with this thread's permissions; read on the worker.
  std::vector<NumberFile> files(paths.size());
  std::vector<FileResult> results(paths.size());
  for (std::size_t i = 0; i < paths.size(); ++i) results[i] = files[i].Open(paths[i]);
  // How each file is read, as the user answers first.
  std::vector<FileReading> readings(paths.size());
  std::vector<std::string> notes;  // cells that could not be read, told after the total
  std::uint64_t bytes = 0;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (results[i]) continue;
    if (!AskReading(paths[i], files[i].Size(), readings[i], results[i], notes))
      return;  // cancelled: nothing is imported
    if (!readings[i].leftOut && !results[i]) bytes += files[i].Size();
  }
  if (std::all_of(readings.begin(), readings.end(), [](const FileReading& reading) { return reading.leftOut; })) {
    return;
  }
  const std::string name = NameOf(paths.front());
  const std::string what = paths.size() == 1
                               ? "正在导入“" + name + "”…"
                               : "正在导入“" + name + "”等" + CountText(paths.size(), CountForm::Grouped) + "个文件…";
  const CategoryFilter admitted = Admitted();
  const bool backToLists = m_numbers.ShowsComparison();  // no view to merge into: the lists are shown again
  const PrefixTable& table = *m_table;
  std::optional<ItemRefs> merged;  // the view with the files read so far
  bool outOfMemory = false;
  bool finished = false;
  try {
    const WaitCursor wait(m_view);
    finished = RunWork(what, [&](WorkProgress& progress) {
      progress.SetTotal(bytes);
      try {
        // Each file merged into the view in turn, as if imported one after the other.
        for (std::size_t i = 0; i < files.size() && !progress.StopRequested(); ++i) {
          if (results[i] || readings[i].leftOut) continue;
          const CategoryCounts countsBefore = m_numbers.Lists().Counts();
          const std::optional<InputReading>& reading = readings[i].reading;
          results[i] = reading ? m_numbers.ImportInput(paths[i], *reading, files[i].Size(), table, &progress)
                               : m_numbers.ImportFile(files[i], table, &progress);
          if (!results[i] && !backToLists)
            merged = m_numbers.MergedView(merged ? *merged : m_numbers.Refs(), countsBefore, admitted);
        }
      } catch (const std::bad_alloc&) {
        outOfMemory = true;  // the view cannot take the numbers
      }
    });
  } catch (...) {
    m_numbers.DropImported(before);  // the window could not run the work: nothing shows what it appended
    throw;
  }
  if (!finished || outOfMemory) {
    m_numbers.DropImported(before);
    if (outOfMemory) throw std::bad_alloc();
    return;
  }
  if (merged) m_numbers.ShowImported(std::move(*merged));

  std::vector<std::string> lines;
  std::size_t failures = 0;
  for (const FileResult& result : results) failures += result ? 1 : 0;
  if (failures < paths.size()) {
    if (backToLists) RefreshList(std::nullopt);
    ShowCounts();
  }
  // A single file that failed says only why, as 导入 does.
  if (paths.size() != 1 || failures == 0) {
    lines.push_back("共计导入" + CountText(m_numbers.Lists().size() - countBefore, CountForm::Grouped) +
                    "个接收号码！");
  }
  lines.insert(lines.end(), notes.begin(), notes.end());
  for (const FileResult& result : results) {
    if (result) lines.push_back(result->Message());
  }
  m_view.UserPrompts().ShowMessage(Joined(lines));
}

bool MainDialogLogic::AskReading(const std::filesystem::path& path, std::uint64_t size, FileReading& reading,
                                 FileResult& result, std::vector<std::string>& notes) {
  InputFormat format = InputFormat::Text;
  if ((result = FormatOfInput(path, InputReading{}, format))) return true;
  InputReading read;
  read.roundedCells = [&notes](const std::filesystem::path& file, const RoundedCells& cells) {
    notes.push_back("“" + NameOf(file) + "”中有" + CountText(cells.count, CountForm::Grouped) +
                    "个单元格的号码已被 Excel 舍入成科学计数法（第一个是 " + cells.first + "），位数已丢失，没有导入");
  };
  if (format == InputFormat::Text) {
    if (NumbersMostlyInsideText(path) &&
        m_view.UserPrompts().AskYesNo("“" + NameOf(path) +
                                      "”中的号码夹在文字中间（如“张三 138-0013-8000 深圳”）。\n"
                                      "要找出文字中的号码导入吗？选“否”则按分隔符逐个导入。")) {
      read.extract = true;
      reading.reading = std::move(read);
    }
    return true;
  }
  std::vector<ColumnNumbers> columns;
  bool finished = false;
  {
    const WaitCursor wait(m_view);
    finished = RunWork("正在查看“" + NameOf(path) + "”中的列…", [&](WorkProgress& progress) {
      progress.SetTotal(size);
      result = CountColumnNumbers(path, columns, &progress);
    });
  }
  if (!finished || WasCancelled(result)) return false;
  if (result) return true;
  if (columns.size() > 1) {
    const ColumnEntries entries(std::move(columns));
    const std::optional<std::size_t> chosen = m_view.AskColumn(
        "“" + NameOf(path) + "”中有几列都有号码，请选择要导入的列：", entries.Entries(), entries.Fullest());
    if (!chosen) {
      reading.leftOut = true;
      return true;
    }
    read.column = entries.ColumnRead(*chosen);
  }
  reading.reading = std::move(read);
  return true;
}

void MainDialogLogic::RestoreChoices() {
  const RememberedChoices remembered(m_view.Settings());
  std::vector<std::string> fallbacks;
  const RememberedChoices::PrefixTableChoice prefixes = remembered.PrefixTable();
  if (prefixes.kind == RememberedChoices::PrefixTableKind::Current) {
    m_table = &PrefixTable::Current();
    m_view.ChooseTableEntry(kCurrentTable);
  } else if (prefixes.kind == RememberedChoices::PrefixTableKind::File) {
    TableLoadError error;
    m_loadedTable = LoadPrefixTable(prefixes.file, error);
    if (m_loadedTable) {
      m_table = &*m_loadedTable;
      m_loadedTableFile = prefixes.file;
      m_view.ShowLoadedTable(PathInMessage(prefixes.file.filename()), PathInMessage(prefixes.file));
    } else {
      fallbacks.push_back(error.message + "，已改用" + std::string(kFixedTableNames[kOriginalTable]));
    }
  }
  if (const std::optional<std::filesystem::path> areaFile = remembered.AreaTableFile()) {
    TableLoadError error;
    if (std::optional<AreaTable> areas = LoadAreaTable(*areaFile, error)) {
      m_loadedAreas = std::make_unique<AreaTable>(std::move(*areas));
      m_loadedAreasFile = *areaFile;
      m_numbers.UseAreas(*m_numbers.AreasBy(*m_loadedAreas, nullptr));  // no numbers yet: nothing to look up
      m_view.ShowLoadedAreaTable(PathInMessage(areaFile->filename()), PathInMessage(*areaFile));
    } else {
      fallbacks.push_back(error.message + "，已改用" + std::string(kBuiltInAreasName));
    }
  }
  if (!fallbacks.empty()) {
    std::string text;
    for (const std::string& line : fallbacks) text += (text.empty() ? "" : "；") + line;
    m_view.ShowStatusLine(text);
  }
  ShowAreas();
}

void MainDialogLogic::ShowCounts() {
  if (!m_numbers.ShowsComparison()) m_comparison.reset();
  m_view.ShowCounts(StatusLine(), m_numbers.Lists().Counts());
  ShowAreas();
  m_view.ShowBoxes(m_comparison ? BoxStates{false, {}} : m_boxes);
  m_view.EnableAreaChoice(!m_comparison);
}

std::string MainDialogLogic::StatusLine() const {
  return m_comparison ? *m_comparison : StatusText(m_numbers.Lists().Counts(), CountForm::Grouped);
}

void MainDialogLogic::ShowAreas() {
  m_areaEntries = AreaEntries(m_numbers.Areas(), m_numbers.ChosenArea());
  const auto chosen = std::find_if(m_areaEntries.begin(), m_areaEntries.end(),
                                   [&](const AreaEntry& entry) { return entry.choice == m_numbers.ChosenArea(); });
  // An area without numbers any more is not listed: 全部地区 shows.
  m_view.ShowAreas(m_areaEntries,
                   chosen == m_areaEntries.end() ? 0 : static_cast<std::size_t>(chosen - m_areaEntries.begin()));
}

// An area narrows the list together with the boxes; a province opens to its cities.
void MainDialogLogic::OnAreaChosen(std::size_t entry) {
  if (entry >= m_areaEntries.size() || m_comparison) return;
  m_numbers.ChooseArea(m_areaEntries[entry].choice);
  RefreshList(std::nullopt);
  ShowAreas();
}

// Every number looked up again in the table the user picks, on the worker as the prefix tables do; a
// table file that cannot be had, or a cancel, leaves the one in use. The list shows every area again.
void MainDialogLogic::OnAreaTableChosen(int entry) {
  const int inUse = &m_numbers.Areas().Table() == &AreaTable::BuiltIn() ? kBuiltInAreas : kLoadedAreas;
  if (entry == inUse) return;
  std::optional<std::filesystem::path> path;
  std::unique_ptr<AreaTable> loaded;
  if (entry != kBuiltInAreas && !(entry == kLoadedAreas && m_loadedAreas)) {
    path = m_view.UserPrompts().ChooseOpenFile(kAreaTablePrompt);
    TableLoadError error;
    std::optional<AreaTable> parsed = path ? LoadAreaTable(*path, error) : std::nullopt;
    if (path && !parsed) m_view.UserPrompts().ShowMessage(error.message);
    if (!parsed) return m_view.ChooseAreaTableEntry(inUse);
    loaded = std::make_unique<AreaTable>(std::move(*parsed));
  }
  const AreaTable& table = loaded ? *loaded : entry == kBuiltInAreas ? AreaTable::BuiltIn() : *m_loadedAreas;
  std::optional<NumberAreas> areas;
  bool finished = false;
  try {
    const WaitCursor wait(m_view);
    finished = RunWork("正在按新归属地表查找归属地…",
                       [&](WorkProgress& progress) { areas = m_numbers.AreasBy(table, &progress); });
  } catch (...) {
    m_view.ChooseAreaTableEntry(inUse);
    throw;
  }
  if (!finished || !areas) return m_view.ChooseAreaTableEntry(inUse);
  m_numbers.UseAreas(std::move(*areas));
  if (loaded) {
    m_loadedAreas = std::move(loaded);  // the table it replaces is no longer looked at
    m_loadedAreasFile = *path;
    m_view.ShowLoadedAreaTable(PathInMessage(path->filename()), PathInMessage(*path));
  }
  RememberedChoices(m_view.Settings())
      .SetAreaTableFile(entry == kBuiltInAreas ? std::nullopt : std::optional(m_loadedAreasFile));
  m_numbers.ChooseArea({});
  RefreshList(std::nullopt);
  ShowCounts();
}

// While work runs the status line stays as it was: the counts and areas are the worker's until it ended.
void MainDialogLogic::OnSelection(std::optional<std::size_t> single) {
  if (m_working) return;
  if (!single || *single >= m_numbers.size()) return m_view.ShowStatusLine(StatusLine());
  const std::string number = m_numbers.NumberCopy(*single);
  const AreaTable& areas = m_numbers.Areas().Table();
  const AreaTable::AreaId area = areas.Lookup(number);
  const std::string_view province = areas.Province(area);
  const std::string_view city = areas.City(area);
  std::string text =
      Utf8FromGbk(number) + "：" + std::string(CategoryLabel(m_table->Classify(number))) + "，" + std::string(province);
  if (city != province) text += city;
  m_view.ShowStatusLine(text);
}

// While "全部" is ticked a category box changes nothing but its own state.
void MainDialogLogic::OnBox(std::optional<NumberCategory> box, const BoxStates& boxes) {
  m_boxes = boxes;
  if (m_comparison) {
    RefreshList(std::nullopt);
    return ShowCounts();
  }
  if (!box) return RefreshList(std::nullopt);
  if (m_boxes.all) return;
  RefreshList(m_boxes.ticked[CategoryIndex(*box)] ? box : std::nullopt);
}

void MainDialogLogic::RefreshList(std::optional<NumberCategory> appended) {
  if (m_boxes.all) {
    m_numbers.ShowCategories(kEveryCategory);
  } else if (appended) {
    m_numbers.AppendCategory(*appended);
  } else {
    m_numbers.ShowCategories(m_boxes.ticked);
  }
}

CategoryFilter MainDialogLogic::Admitted() const { return m_boxes.all ? kEveryCategory : m_boxes.ticked; }

// Writes what the list shows, in its order, to a file the user picks, in the format of its type.
void MainDialogLogic::OnExport() {
  const std::optional<SavedFile> saved = m_view.UserPrompts().ChooseSaveFile(ExportPrompt());
  if (!saved) return;
  const ExportKind kind = KindOfSavedFile(saved->path, saved->filter);
  const std::optional<std::string> separator = SeparatorFor(kind);
  if (!separator) return;

  FileResult error;
  NumberOutputCounts written;
  {
    const WaitCursor wait(m_view);
    RunWork("正在导出“" + NameOf(saved->path) + "”…", [&](WorkProgress& progress) {
      progress.SetTotal(ShownBytes(m_numbers, kind.Style(), separator->size()));
      error = WriteNumberFile(saved->path, m_numbers.Numbers(), *separator, &progress, kind.Style(), &written);
    });
  }
  if (WasCancelled(error)) return;
  m_view.UserPrompts().ShowMessage(error ? error->Message() : "导出完毕" + WrittenText(written, "\n"));
}

// Writes every category list, whatever the list shows, to its own file in a folder the user picks,
// replacing files of those names without a question.
void MainDialogLogic::OnOneClickExport() {
  ExportToFolder("正在导出到", [this](const FolderExportJob& job, WorkProgress& progress, NumberOutputCounts& written,
                                      std::size_t& files) {
    files = kCategoryCount;
    return ExportCategoryLists(job.folder, m_numbers.Lists(), job.separator, &progress, job.style, &written);
  });
}

void MainDialogLogic::OnExportByArea() {
  const std::optional<AreaLevel> level = m_view.AskAreaLevel();
  if (!level) return;
  ExportToFolder("正在按地区导出到", [this, level](const FolderExportJob& job, WorkProgress& progress,
                                                   NumberOutputCounts& written, std::size_t& files) {
    return ExportByArea(job.folder, m_numbers.Lists(), m_numbers.Areas().Table(), *level, job.separator, &progress,
                        job.style, &written, &files);
  });
}

// Asks for the folder, the format (the one last used offered) and for text the separator, then writes;
// no message unless a file failed, the status line says what went where.
void MainDialogLogic::ExportToFolder(std::string_view doing, const FolderExport& write) {
  const std::optional<std::filesystem::path> folder = m_view.UserPrompts().ChooseFolder(kOneClickExportFolderTitle);
  if (!folder) return;
  RememberedChoices remembered(m_view.Settings());
  const std::optional<std::size_t> chosen =
      m_view.AskExportKind(ExportKindEntries(), ExportKindIndex(remembered.ExportKind()));
  if (!chosen || *chosen >= std::size(kExportKinds)) return;
  const ExportKind& kind = kExportKinds[*chosen];
  const std::optional<std::string> separator = SeparatorFor(kind);
  if (!separator) return;
  remembered.SetExportKind(kind.key);  // kept, as the separator is, only when the export goes ahead

  std::vector<FileError> failures;
  NumberOutputCounts written;
  std::size_t files = 0;
  const FolderExportJob job{*folder, *separator, kind.Style()};
  RunWork(std::string(doing) + "“" + NameOf(*folder) + "”…",
          [&](WorkProgress& progress) { failures = write(job, progress, written, files); });
  if (failures.empty()) {
    return m_view.ShowStatusLine("已把" + CountText(m_numbers.Lists().size(), CountForm::Grouped) + "个号码导出到" +
                                 CountText(files, CountForm::Grouped) + "个文件，位于“" + PathInMessage(*folder) + "”" +
                                 WrittenText(written, "；"));
  }
  if (failures.front().cancelled) return;
  std::vector<std::string> messages;
  for (const FileError& failure : failures) messages.push_back(failure.Message());
  m_view.UserPrompts().ShowMessage(Joined(messages));
}

std::optional<std::string> MainDialogLogic::SeparatorFor(const ExportKind& kind) {
  if (!FormAvailable(kind.form)) {
    m_view.UserPrompts().ShowMessage("这个系统的加密库不提供" + std::string(kind.label) + "的散列");
    return std::nullopt;
  }
  if (kind.format != NumberFileFormat::Text) return std::string();
  return AskSeparator(kind.note);
}

// The dialog offers the separator last written with; what is written with now is offered next time.
std::optional<std::string> MainDialogLogic::AskSeparator(std::string_view note) {
  RememberedChoices remembered(m_view.Settings());
  const std::optional<std::string> answer = m_view.AskSeparator(remembered.Separator(), note);
  if (!answer) return std::nullopt;
  const std::optional<std::string> encoded = EncodeGbk(*answer);
  if (!encoded) {
    m_view.UserPrompts().ShowMessage(res::LoadUtf8String(res::IDS_SEPARATOR_NOT_GBK));
    return std::nullopt;
  }
  remembered.SetSeparator(*answer);
  return std::string(DefaultSeparator(*encoded));
}

// Compares two files the user picks and shows the selected numbers of the larger one (of the number
// file, when the other is a hashed list). When a file cannot be read, or is no list to match, the list
// keeps what it showed and the user learns which file and why.
void MainDialogLogic::OnAnalysis() {
  RememberedChoices remembered(m_view.Settings());
  AnalysisChoice choice(remembered.Analysis());
  const std::optional<ComparisonRequest> request = m_view.AskComparison(choice);
  remembered.SetAnalysis(choice.Now());  // cancelled too: the files picked are offered next time
  if (!request) return;

  NumberList result;
  FileResult error;
  ComparisonOutcome outcome;
  RunWork("正在比较“" + NameOf(request->file1) + "”和“" + NameOf(request->file2) + "”…", [&](WorkProgress& progress) {
    error = CompareFiles(request->file1, request->file2, request->mode, result, &progress, &outcome);
  });
  if (WasCancelled(error)) return;
  if (error) return m_view.UserPrompts().ShowMessage(error->Message());
  const std::string found = FoundNumbersText(request->mode, result.size(), CountForm::Grouped);
  const bool firstListed = outcome.listedFile == 1;
  const std::string listedName = NameOf(firstListed ? request->file1 : request->file2);
  const std::string file = "“" + listedName + "”";
  m_numbers.ShowComparison(std::move(result));
  m_comparison = "号码分析的结果：" + file + "中" + found + "。点选上方的类别可回到号码列表";
  ShowCounts();
  if (outcome.hashedList) {
    const std::string hashedName = NameOf(firstListed ? request->file2 : request->file1);
    return m_view.UserPrompts().ShowMessage(found + "\n列表中是" + file + "中的号码\n" +
                                            HashedComparisonText(outcome, listedName, hashedName, CountForm::Grouped));
  }
  m_view.UserPrompts().ShowMessage(found + "\n列表中是" + file + "（两个文件中较大的一个）中的号码");
}

int MainDialogLogic::TableInUse() const {
  return m_table == &PrefixTable::Original()  ? kOriginalTable
         : m_table == &PrefixTable::Current() ? kCurrentTable
                                              : kLoadedTable;
}

// Sorts every number again when the user picks another table; a table file that cannot be had
// leaves the table that was in use.
void MainDialogLogic::OnTableChosen(int entry) {
  const int inUse = TableInUse();
  std::optional<PrefixTable> loaded;
  const PrefixTable* table = entry == kOriginalTable  ? &PrefixTable::Original()
                             : entry == kCurrentTable ? &PrefixTable::Current()
                             : m_loadedTable          ? &*m_loadedTable
                                                      : m_table;
  std::optional<std::filesystem::path> path;
  if (entry == kLoadTableEntry) {
    path = m_view.UserPrompts().ChooseOpenFile(kPrefixTablePrompt);
    TableLoadError error;
    if (path) loaded = LoadPrefixTable(*path, error);
    if (path && !loaded) m_view.UserPrompts().ShowMessage(error.message);
    if (!loaded) return m_view.ChooseTableEntry(inUse);
    table = &*loaded;
  }
  if (table == m_table) return;
  std::optional<ShownNumbers::Rebuilt> rebuilt;
  bool finished = false;
  try {
    const WaitCursor wait(m_view);
    const CategoryFilter shown = Admitted();
    finished = RunWork("正在按新号段表重新分类…",
                       [&](WorkProgress& progress) { rebuilt = m_numbers.Reclassified(*table, shown, &progress); });
  } catch (...) {
    m_view.ChooseTableEntry(inUse);
    throw;
  }
  if (!finished) return m_view.ChooseTableEntry(inUse);
  m_numbers.Show(std::move(*rebuilt));
  if (loaded) {
    m_loadedTable = std::move(loaded);
    m_loadedTableFile = *path;
    table = &*m_loadedTable;
    m_view.ShowLoadedTable(PathInMessage(path->filename()), PathInMessage(*path));
  }
  m_table = table;
  const int chosen = TableInUse();
  RememberedChoices(m_view.Settings())
      .SetPrefixTable(chosen == kOriginalTable  ? RememberedChoices::PrefixTableKind::Original
                      : chosen == kCurrentTable ? RememberedChoices::PrefixTableKind::Current
                                                : RememberedChoices::PrefixTableKind::File,
                      chosen == kLoadedTable ? m_loadedTableFile : std::filesystem::path());
  ShowCounts();
}

void MainDialogLogic::OnClearNumbers() {
  const std::uint64_t count = std::max<std::uint64_t>(m_numbers.Lists().size(), m_numbers.size());
  if (count > 0 &&
      !m_view.UserPrompts().AskYesNo("确定要清空全部" + CountText(count, CountForm::Grouped) + "个号码吗？"))
    return;
  m_numbers.ChooseArea({});  // with the numbers, their areas are gone
  m_numbers.Clear();
  ShowCounts();
}

void MainDialogLogic::OnRemoveRepeats() {
  std::uint64_t removed = 0;
  std::optional<ShownNumbers::Rebuilt> kept;
  bool finished = false;
  {
    const WaitCursor wait(m_view);
    const CategoryFilter shown = Admitted();
    finished = RunWork("正在去除重复号码…",
                       [&](WorkProgress& progress) { kept = m_numbers.WithoutRepeats(shown, removed, &progress); });
  }
  if (!finished) return;
  if (kept) {
    m_numbers.Show(std::move(*kept));
  } else {
    m_numbers.ShowCategories(Admitted());
  }
  ShowCounts();
  m_view.UserPrompts().ShowMessage("去除了" + CountText(removed, CountForm::Grouped) + "个重复号码");
}

void MainDialogLogic::OnReport() {
  std::optional<std::uint64_t> repeats;
  {
    const WaitCursor wait(m_view);
    if (!RunWork("正在统计号码…",
                 [&](WorkProgress& progress) { repeats = m_numbers.Lists().RepeatCount(&progress); })) {
      return;
    }
  }
  if (!repeats) return;
  ReportDialogLogic report(m_view, ReportOfLists(m_numbers, *repeats));
  m_view.ShowReport(report);
}

}  // namespace zelvane
