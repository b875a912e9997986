#include "ui/classifier_dlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <new>

#include "ops/category_files.h"
#include "ops/number_comparison.h"
#include "ops/number_file_writer.h"
#include "res/main_dialog_template.h"
#include "res/string_table.h"
#include "ui/about_dlg.h"
#include "ui/analysis_dlg.h"
#include "ui/help_dlg.h"
#include "ui/number_file_prompts.h"
#include "ui/number_list_view.h"
#include "ui/overview_pane.h"
#include "ui/resources.h"
#include "ui/separator_dlg.h"
#include "ui/shell.h"
#include "ui/system_menu.h"
#include "ui/ui_text.h"

namespace zelvane {

namespace {

struct CategoryBox {
  int id;
  NumberCategory category;
};

constexpr CategoryBox kCategoryBoxes[] = {
    {res::IDC_CHECK_MOBILE, NumberCategory::Mobile},   {res::IDC_CHECK_UNICOM, NumberCategory::Unicom},
    {res::IDC_CHECK_TELECOM, NumberCategory::Telecom}, {res::IDC_CHECK_PHS, NumberCategory::Phs},
    {res::IDC_CHECK_OTHER, NumberCategory::Other},
};

constexpr CategoryFilter kEveryCategory = {true, true, true, true, true};

// The name of a file or folder in "正在导入“numbers.txt”…".
QString NameOf(const std::filesystem::path& path) {
  return FromUtf8((path.has_filename() ? path : path.parent_path()).filename().string());
}

// About the bytes an export of the shown numbers writes, for its progress: numbers of the lists' mean length.
std::uint64_t ShownBytes(const NumberListModel& model, std::size_t separator) {
  const CategoryLists& lists = model.Lists();
  const std::uint64_t numberBytes = lists.size() == 0 ? 11 : lists.TextBytes() / lists.size();
  return model.size() * (numberBytes + separator);
}

}  // namespace

CClassifierDlg::CClassifierDlg(Shell& shell, QWidget* parent)
    : TemplateDialog(res::kMainDialog, parent),
      m_shell(shell),
      m_status(DlgItem<QLabel>(res::IDC_STATUS)),
      m_list(DlgItem<NumberListView>(res::IDC_NUMBER_LIST)),
      m_overview(DlgItem<COverviewPane>(res::IDC_OVERVIEW)),
      m_systemMenu(new SystemMenu(this)),
      m_listMenu(new QMenu(this)),
      m_work(shell, this) {
  m_list->SetModel(&m_model);
  // Made smaller, the pane would be drawn over the buttons; the status line spans the window as the list does.
  setMinimumSize(size());
  m_status->resize(m_list->width(), m_status->height());
  setAcceptDrops(true);

  connect(m_systemMenu, &SystemMenu::Command, this, &CClassifierDlg::OnSysCommand);
  ConnectCommand(DlgItem<QPushButton>(res::IDC_IMPORT), &QPushButton::clicked, &CClassifierDlg::OnImport);
  ConnectCommand(DlgItem<QCheckBox>(res::IDC_CHECK_ALL), &QCheckBox::clicked, &CClassifierDlg::OnCheckAll);
  ConnectCommand(DlgItem<QCheckBox>(res::IDC_CHECK_MOBILE), &QCheckBox::clicked, &CClassifierDlg::OnCheckMobile);
  ConnectCommand(DlgItem<QCheckBox>(res::IDC_CHECK_UNICOM), &QCheckBox::clicked, &CClassifierDlg::OnCheckUnicom);
  ConnectCommand(DlgItem<QCheckBox>(res::IDC_CHECK_TELECOM), &QCheckBox::clicked, &CClassifierDlg::OnCheckTelecom);
  ConnectCommand(DlgItem<QCheckBox>(res::IDC_CHECK_PHS), &QCheckBox::clicked, &CClassifierDlg::OnCheckPhs);
  ConnectCommand(DlgItem<QCheckBox>(res::IDC_CHECK_OTHER), &QCheckBox::clicked, &CClassifierDlg::OnCheckOther);
  ConnectCommand(DlgItem<QPushButton>(res::IDC_EXPORT), &QPushButton::clicked, &CClassifierDlg::OnExport);
  ConnectCommand(DlgItem<QPushButton>(res::IDC_ONE_CLICK_EXPORT), &QPushButton::clicked,
                 &CClassifierDlg::OnOneClickExport);
  ConnectCommand(DlgItem<QPushButton>(res::IDC_ANALYSIS), &QPushButton::clicked, &CClassifierDlg::OnAnalysis);
  ConnectCommand(DlgItem<QPushButton>(res::IDC_HELP_BUTTON), &QPushButton::clicked, &CClassifierDlg::OnHelpButton);
  connect(m_overview, &COverviewPane::TableChosen, this,
          [this](int entry) { RunCommand([this, entry] { OnTableChosen(entry); }); });

  // The list's own menu; the shortcuts of copy and select all are the list's keys.
  m_listMenu->addAction(QStringLiteral("复制(&C)"), QKeySequence::Copy, m_list, &NumberListView::CopySelection);
  m_listMenu->addAction(QStringLiteral("全选(&A)"), QKeySequence::SelectAll, m_list, &NumberListView::SelectAll);
  m_commandActions = {m_listMenu->addAction(QStringLiteral("清空(&L)")),
                      m_listMenu->addAction(QStringLiteral("去除重复号码(&D)"))};
  ConnectCommand(m_commandActions[0], &QAction::triggered, &CClassifierDlg::OnClearNumbers);
  ConnectCommand(m_commandActions[1], &QAction::triggered, &CClassifierDlg::OnRemoveRepeats);
  for (const int id : {res::IDC_IMPORT, res::IDC_EXPORT, res::IDC_ONE_CLICK_EXPORT, res::IDC_ANALYSIS,
                       res::IDC_CHECK_ALL}) {
    m_commandControls << GetDlgItem(id);
  }
  for (const CategoryBox& box : kCategoryBoxes) m_commandControls << GetDlgItem(box.id);
  m_commandControls << m_overview->TableChoice();
  connect(m_list, &NumberListView::ContextMenuRequested, m_listMenu,
          [this](const QPoint& at) { m_listMenu->popup(at); });

  OnInitDialog();
}

void CClassifierDlg::OnInitDialog() {
  UpdateData(false);
  const QString aboutItem = LoadString(res::IDS_ABOUT_MENU_ITEM);
  if (!aboutItem.isEmpty()) {
    m_systemMenu->AppendSeparator();
    m_systemMenu->AppendItem(res::IDM_ABOUTBOX, aboutItem);
  }
  setWindowIcon(LoadIcon(res::IDR_MAINFRAME));
  m_list->setFocus();
}

void CClassifierDlg::UpdateData(bool save) {
  const auto exchange = [save](QCheckBox* box, bool& flag) {
    if (save) {
      flag = box->isChecked();
    } else {
      box->setChecked(flag);
    }
  };
  exchange(DlgItem<QCheckBox>(res::IDC_CHECK_ALL), m_all);
  for (const CategoryBox& box : kCategoryBoxes) {
    exchange(DlgItem<QCheckBox>(box.id), m_ticked[CategoryIndex(box.category)]);
  }
}

void CClassifierDlg::RunCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::bad_alloc&) {
    m_shell.ShowMessage(this, QStringLiteral("内存不足，无法完成这个操作"));
  }
}

bool CClassifierDlg::RunWork(const QString& what, const std::function<void(WorkProgress&)>& work) {
  EnableCommands(false);
  bool finished = false;
  try {
    finished = m_work.Run(what, work);
  } catch (...) {
    EnableCommands(true);
    throw;
  }
  EnableCommands(true);
  // The window was closed meanwhile: it goes once the command that ran has ended.
  if (std::exchange(m_closeAsked, false)) QTimer::singleShot(0, this, &QWidget::close);
  return finished;
}

void CClassifierDlg::EnableCommands(bool enable) {
  for (QWidget* control : m_commandControls) control->setEnabled(enable);
  for (QAction* action : m_commandActions) action->setEnabled(enable);
  setAcceptDrops(enable);
}

void CClassifierDlg::closeEvent(QCloseEvent* event) {
  if (!m_work.Running()) return TemplateDialog::closeEvent(event);
  event->ignore();
  m_closeAsked = true;
  m_work.Cancel();
}

void CClassifierDlg::OnImport() {
  const std::optional<std::filesystem::path> path = ChooseFileToImport(m_shell, this);
  if (path) ImportFiles({*path});
}

void CClassifierDlg::ImportFiles(const std::vector<std::filesystem::path>& paths) {
  if (paths.empty()) return;
  const CategoryCounts before = m_model.Lists().Counts();
  const std::uint64_t countBefore = m_model.Lists().size();
  // Opened here, so that a file is read with this thread's permissions; read on the worker.
  std::vector<NumberFile> files(paths.size());
  std::vector<FileResult> results(paths.size());
  std::uint64_t bytes = 0;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    results[i] = files[i].Open(paths[i]);
    if (!results[i]) bytes += files[i].Size();
  }
  const QString name = NameOf(paths.front());
  const QString what = paths.size() == 1 ? QStringLiteral("正在导入“%1”…").arg(name)
                                         : QStringLiteral("正在导入“%1”等%2个文件…").arg(name).arg(paths.size());
  const CategoryFilter admitted = Admitted();
  const PrefixTable& table = *m_table;
  std::optional<ItemRefs> merged;  // the view with the files read so far
  bool outOfMemory = false;
  bool finished = false;
  {
    const WaitCursor wait(m_shell);
    finished = RunWork(what, [&](WorkProgress& progress) {
      progress.SetTotal(bytes);
      try {
        // Each file merged into the view in turn, as if imported one after the other.
        for (std::size_t i = 0; i < files.size() && !progress.StopRequested(); ++i) {
          if (results[i]) continue;
          const CategoryCounts countsBefore = m_model.Lists().Counts();
          results[i] = m_model.ImportFile(files[i], table, &progress);
          if (!results[i]) merged = m_model.MergedView(merged ? *merged : m_model.Refs(), countsBefore, admitted);
        }
      } catch (const std::bad_alloc&) {
        outOfMemory = true;  // the view cannot take the numbers
      }
    });
  }
  if (!finished || outOfMemory) {
    m_model.DropImported(before);
    if (outOfMemory) throw std::bad_alloc();
    return;
  }
  if (merged) m_model.ShowImported(std::move(*merged));

  QStringList failures;
  for (const FileResult& result : results) {
    if (result) failures << FromUtf8(result->Message());
  }
  if (failures.size() < static_cast<qsizetype>(paths.size())) ShowCounts();
  // A single file that failed says only why, as 导入 does.
  const bool onlyFailures = paths.size() == 1 && !failures.empty();
  const QString count = QStringLiteral("共计导入%1个接收号码！").arg(m_model.Lists().size() - countBefore);
  m_shell.ShowMessage(this, ((onlyFailures ? QStringList() : QStringList{count}) + failures).join(QLatin1Char('\n')));
}

void CClassifierDlg::ShowCounts() {
  const CategoryCounts counts = m_model.Lists().Counts();
  m_status->setText(FromUtf8(StatusText(counts)));
  m_overview->ShowCounts(counts);
}

void CClassifierDlg::OnCheckAll() {
  UpdateData(true);
  RefreshList(std::nullopt);
}

void CClassifierDlg::OnCheckMobile() { OnCheckCategory(NumberCategory::Mobile); }

void CClassifierDlg::OnCheckUnicom() { OnCheckCategory(NumberCategory::Unicom); }

void CClassifierDlg::OnCheckTelecom() { OnCheckCategory(NumberCategory::Telecom); }

void CClassifierDlg::OnCheckPhs() { OnCheckCategory(NumberCategory::Phs); }

void CClassifierDlg::OnCheckOther() { OnCheckCategory(NumberCategory::Other); }

// While "全部" is ticked a category box changes nothing but its own state.
void CClassifierDlg::OnCheckCategory(NumberCategory category) {
  UpdateData(true);
  if (m_all) return;
  RefreshList(m_ticked[CategoryIndex(category)] ? std::optional(category) : std::nullopt);
}

void CClassifierDlg::RefreshList(std::optional<NumberCategory> appended) {
  if (m_all) {
    m_model.ShowCategories(kEveryCategory);
  } else if (appended) {
    m_model.AppendCategory(*appended);
  } else {
    m_model.ShowCategories(m_ticked);
  }
}

CategoryFilter CClassifierDlg::Admitted() const { return m_all ? kEveryCategory : m_ticked; }

// Writes what the list view shows, in its order, to a file the user picks.
void CClassifierDlg::OnExport() {
  const std::optional<std::filesystem::path> path = ChooseFileToExport(m_shell, this);
  if (!path) return;
  const std::optional<std::string> separator = AskSeparator();
  if (!separator) return;

  FileResult error;
  {
    WaitCursor wait(m_shell);
    RunWork(QStringLiteral("正在导出“%1”…").arg(NameOf(*path)), [&](WorkProgress& progress) {
      progress.SetTotal(ShownBytes(m_model, separator->size()));
      error = WriteNumberFile(*path, m_model.Numbers(), *separator, &progress);
    });
  }
  if (WasCancelled(error)) return;
  m_shell.ShowMessage(this, error ? FromUtf8(error->Message()) : QStringLiteral("导出完毕"));
}

// Writes every category list, whatever the list view shows, to its own file in a folder the user
// picks, replacing files of those names without a question. Says nothing unless a file failed.
void CClassifierDlg::OnOneClickExport() {
  const std::optional<std::filesystem::path> folder = m_shell.ChooseFolder(this, QStringLiteral("所选择路径:   "));
  if (!folder) return;
  const std::optional<std::string> separator = AskSeparator();
  if (!separator) return;

  std::vector<FileError> failures;
  RunWork(QStringLiteral("正在导出到“%1”…").arg(NameOf(*folder)), [&](WorkProgress& progress) {
    failures = ExportCategoryLists(*folder, m_model.Lists(), *separator, &progress);
  });
  if (failures.empty() || failures.front().cancelled) return;
  QStringList messages;
  for (const FileError& failure : failures) messages << FromUtf8(failure.Message());
  m_shell.ShowMessage(this, messages.join(QLatin1Char('\n')));
}

std::optional<std::string> CClassifierDlg::AskSeparator() {
  CSeparatorDlg dialog(this);
  m_shell.RunModal(dialog);  // Esc and the close box leave it empty: CR LF
  const std::optional<std::string> typed = EncodeGbk(dialog.Separator());
  if (!typed) {
    m_shell.ShowMessage(this, LoadString(res::IDS_SEPARATOR_NOT_GBK));
    return std::nullopt;
  }
  return std::string(DefaultSeparator(*typed));
}

// Compares two files the user picks and shows the selected numbers of the larger one. When a file
// cannot be read the list keeps what it showed and the user learns which file and why.
void CClassifierDlg::OnAnalysis() {
  CAnalysisDlg dialog(m_shell, this);
  if (m_shell.RunModal(dialog) != QDialog::Accepted) return;

  NumberList result;
  FileResult error;
  RunWork(QStringLiteral("正在比较“%1”和“%2”…").arg(NameOf(dialog.File1()), NameOf(dialog.File2())),
          [&](WorkProgress& progress) { error = CompareFiles(dialog.File1(), dialog.File2(), dialog.Mode(), result, &progress); });
  if (WasCancelled(error)) return;
  if (error) {
    m_shell.ShowMessage(this, FromUtf8(error->Message()));
    return;
  }
  m_model.ShowComparison(std::move(result));
}

void CClassifierDlg::OnHelpButton() {
  CHelpDlg help(this);
  m_shell.RunModal(help);
}

void CClassifierDlg::OnSysCommand(unsigned id) {
  if ((id & 0xFFF0) == res::IDM_ABOUTBOX) {
    CAboutDlg about(this);
    m_shell.RunModal(about);
    return;
  }
  DefaultSystemCommand(this, id);
}

void CClassifierDlg::OnSize(int cx, int cy) {
  // The first size comes as the window is made: there is nothing to lay out yet.
  if (!m_sizeSeen) {
    m_sizeSeen = true;
    return;
  }
  m_list->setGeometry(15, 100, std::max(0, cx - 30), std::max(0, cy - 125));
  m_status->setGeometry(m_status->x(), cy - 20, std::max(0, cx - 30), m_status->height());
  m_overview->move(cx - 15 - m_overview->width(), m_overview->y());
}

void CClassifierDlg::resizeEvent(QResizeEvent* event) {
  TemplateDialog::resizeEvent(event);
  OnSize(width(), height());
}

void CClassifierDlg::keyPressEvent(QKeyEvent* event) {
  // Esc would throw every imported number away without a word.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) return event->accept();
  TemplateDialog::keyPressEvent(event);
}

void CClassifierDlg::contextMenuEvent(QContextMenuEvent* event) { m_systemMenu->popup(event->globalPos()); }

namespace {

// The local files among dropped items, in order.
std::vector<std::filesystem::path> DroppedFiles(const QMimeData& data) {
  std::vector<std::filesystem::path> paths;
  for (const QUrl& url : data.urls()) {
    if (url.isLocalFile()) paths.emplace_back(QFile::encodeName(url.toLocalFile()).toStdString());
  }
  return paths;
}

}  // namespace

void CClassifierDlg::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFiles(*event->mimeData()).empty()) event->acceptProposedAction();
}

void CClassifierDlg::dropEvent(QDropEvent* event) {
  const std::vector<std::filesystem::path> paths = DroppedFiles(*event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  // The file manager waits until the drop is taken: the import and its message come after.
  QTimer::singleShot(0, this, [this, paths] { RunCommand([this, &paths] { ImportFiles(paths); }); });
}

// Sorts every number again when the user picks another table; a table file that cannot be had
// leaves the table that was in use.
void CClassifierDlg::OnTableChosen(int entry) {
  const int inUse = m_table == &PrefixTable::Original()  ? COverviewPane::kOriginalTable
                    : m_table == &PrefixTable::Current() ? COverviewPane::kCurrentTable
                                                         : COverviewPane::kCurrentTable + 1;
  std::optional<PrefixTable> loaded;
  const PrefixTable* table = entry == COverviewPane::kOriginalTable  ? &PrefixTable::Original()
                             : entry == COverviewPane::kCurrentTable ? &PrefixTable::Current()
                             : m_loadedTable                         ? &*m_loadedTable
                                                                     : m_table;
  std::optional<std::filesystem::path> path;
  if (entry < 0) {
    path = m_shell.ChooseOpenFile(this, QStringLiteral("选择号段表文件"), QStringLiteral("文本文件(*.txt)"));
    std::string message;
    if (path) loaded = LoadPrefixTable(*path, message);
    if (path && !loaded) m_shell.ShowMessage(this, FromUtf8(message));
    if (!loaded) return m_overview->ChooseTable(inUse);
    table = &*loaded;
  }
  if (table == m_table) return;
  std::optional<NumberListModel::Rebuilt> rebuilt;
  bool finished = false;
  try {
    const WaitCursor wait(m_shell);
    const CategoryFilter shown = Admitted();
    finished = RunWork(QStringLiteral("正在按新号段表重新分类…"),
                       [&](WorkProgress& progress) { rebuilt = m_model.Reclassified(*table, shown, &progress); });
  } catch (...) {
    m_overview->ChooseTable(inUse);
    throw;
  }
  if (!finished) return m_overview->ChooseTable(inUse);
  m_model.Show(std::move(*rebuilt));
  if (loaded) {
    m_loadedTable = std::move(loaded);
    table = &*m_loadedTable;
    m_overview->ShowLoadedTable(QFile::decodeName(QByteArray::fromStdString(path->filename().string())),
                                PathText(*path));
  }
  m_table = table;
  ShowCounts();
}

void CClassifierDlg::OnClearNumbers() {
  m_model.Clear();
  ShowCounts();
}

void CClassifierDlg::OnRemoveRepeats() {
  std::uint64_t removed = 0;
  std::optional<NumberListModel::Rebuilt> kept;
  bool finished = false;
  {
    const WaitCursor wait(m_shell);
    const CategoryFilter shown = Admitted();
    finished = RunWork(QStringLiteral("正在去除重复号码…"),
                       [&](WorkProgress& progress) { kept = m_model.WithoutRepeats(shown, removed, &progress); });
  }
  if (!finished) return;
  if (kept) {
    m_model.Show(std::move(*kept));
  } else {
    m_model.ShowCategories(Admitted());
  }
  ShowCounts();
  m_shell.ShowMessage(this, QStringLiteral("去除了%1个重复号码").arg(removed));
}

}  // namespace zelvane
