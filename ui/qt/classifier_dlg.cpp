#include "ui/qt/classifier_dlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <new>

#include "res/list_choice_dialog_templates.h"
#include "res/main_dialog_template.h"
#include "res/string_table.h"
#include "ui/logic/main_window_layout.h"
#include "ui/logic/window_placement.h"
#include "ui/qt/about_dlg.h"
#include "ui/qt/analysis_dlg.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/help_dlg.h"
#include "ui/qt/list_choice_dlg.h"
#include "ui/qt/number_list_view.h"
#include "ui/qt/overview_pane.h"
#include "ui/qt/report_dlg.h"
#include "ui/qt/resources.h"
#include "ui/qt/separator_dlg.h"
#include "ui/qt/shell.h"
#include "ui/qt/system_menu.h"
#include "ui/qt/ui_text.h"

namespace zelvane {

CClassifierDlg::CClassifierDlg(Shell& shell, QWidget* parent)
    : TemplateDialog(res::kMainDialog, parent),
      m_shell(shell),
      m_status(DlgItem<QLabel>(res::IDC_STATUS)),
      m_list(DlgItem<NumberListView>(res::IDC_NUMBER_LIST)),
      m_overview(DlgItem<COverviewPane>(res::IDC_OVERVIEW)),
      m_systemMenu(new SystemMenu(this)),
      m_listMenu(new QMenu(this)),
      m_logic(*this, m_model),
      m_work(shell, this) {
  m_list->SetModel(&m_model);
  setMinimumSize(DialogSizeToPixels(kMainWindowMinimum.cx, kMainWindowMinimum.cy));
  // The status line spans the window as the list does.
  m_status->resize(m_list->width(), m_status->height());
  setAcceptDrops(true);

  connect(m_systemMenu, &SystemMenu::Command, this, &CClassifierDlg::OnSysCommand);
  ConnectCommand(DlgItem<QPushButton>(res::IDC_IMPORT), &QPushButton::clicked, &MainDialogLogic::OnImport);
  connect(DlgItem<QCheckBox>(res::IDC_CHECK_ALL), &QCheckBox::clicked, this, [this] { OnBox(std::nullopt); });
  for (const CategoryBox& box : kCategoryBoxes) {
    connect(DlgItem<QCheckBox>(box.id), &QCheckBox::clicked, this, [this, box] { OnBox(box.category); });
  }
  ConnectCommand(DlgItem<QPushButton>(res::IDC_EXPORT), &QPushButton::clicked, &MainDialogLogic::OnExport);
  ConnectCommand(DlgItem<QPushButton>(res::IDC_ONE_CLICK_EXPORT), &QPushButton::clicked,
                 &MainDialogLogic::OnOneClickExport);
  ConnectCommand(DlgItem<QPushButton>(res::IDC_ANALYSIS), &QPushButton::clicked, &MainDialogLogic::OnAnalysis);
  ConnectCommand(DlgItem<QPushButton>(res::IDC_AREA_EXPORT), &QPushButton::clicked, &MainDialogLogic::OnExportByArea);
  ConnectCommand(DlgItem<QPushButton>(res::IDC_HELP_BUTTON), &QPushButton::clicked, &MainDialogLogic::OnHelp);
  connect(m_overview, &COverviewPane::TableChosen, this,
          [this](int entry) { m_logic.RunCommand([this, entry] { m_logic.OnTableChosen(entry); }); });
  connect(m_overview, &COverviewPane::AreaTableChosen, this,
          [this](int entry) { m_logic.RunCommand([this, entry] { m_logic.OnAreaTableChosen(entry); }); });
  connect(m_overview, &COverviewPane::AreaChosen, this, [this](int entry) {
    m_logic.RunCommand([this, entry] { m_logic.OnAreaChosen(static_cast<std::size_t>(entry)); });
  });

  // The list's own menu; the shortcuts of copy and select all are the list's keys.
  for (const ListMenuEntry& entry : kListMenu) {
    QAction* action = m_listMenu->addAction(FromUtf8(entry.text));
    if (entry.startsWork) m_commandActions << action;
    switch (entry.command) {
      case ListCommand::Copy:
        action->setShortcut(QKeySequence::Copy);
        connect(action, &QAction::triggered, m_list, &NumberListView::CopySelection);
        break;
      case ListCommand::SelectAll:
        action->setShortcut(QKeySequence::SelectAll);
        connect(action, &QAction::triggered, m_list, &NumberListView::SelectAll);
        break;
      case ListCommand::Clear: ConnectCommand(action, &QAction::triggered, &MainDialogLogic::OnClearNumbers); break;
      case ListCommand::RemoveRepeats:
        ConnectCommand(action, &QAction::triggered, &MainDialogLogic::OnRemoveRepeats);
        break;
      case ListCommand::Report: ConnectCommand(action, &QAction::triggered, &MainDialogLogic::OnReport); break;
    }
  }
  for (const int id : kWorkCommandControls) m_commandControls << GetDlgItem(id);
  m_commandControls << m_overview->TableChoice() << m_overview->AreaTableChoice() << m_overview->AreaChoice();
  connect(m_list, &NumberListView::SelectionChanged, this, [this] {
    const RangeSelection& selection = m_list->Selection();
    const bool single = selection.Count() == 1;
    m_logic.OnSelection(single ? std::optional(selection.Ranges().front().begin) : std::nullopt);
  });
  connect(m_list, &NumberListView::ContextMenuRequested, m_listMenu,
          [this](const QPoint& at) { m_listMenu->popup(at); });

  OnInitDialog();
}

void CClassifierDlg::OnInitDialog() {
  ShowBoxes(m_logic.Boxes());
  m_logic.RestoreChoices();
  RestorePlacement();
  const QString aboutItem = LoadString(res::IDS_ABOUT_MENU_ITEM);
  if (!aboutItem.isEmpty()) {
    m_systemMenu->AppendSeparator();
    m_systemMenu->AppendItem(res::IDM_ABOUTBOX, aboutItem);
  }
  setWindowIcon(LoadIcon(res::IDR_MAINFRAME));
  m_list->setFocus();
}

void CClassifierDlg::RestorePlacement() {
  std::vector<PixelRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect area = screen->availableGeometry();
    screens.push_back({area.x(), area.y(), area.width(), area.height()});
  }
  const RestoredPlacement placement = PlacementToRestore(m_shell.Settings(), minimumWidth(), minimumHeight(), screens);
  if (placement.normal) {
    setGeometry(placement.normal->left, placement.normal->top, placement.normal->width, placement.normal->height);
  }
  if (placement.maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void CClassifierDlg::ShowBoxes(const BoxStates& boxes) {
  DlgItem<QCheckBox>(res::IDC_CHECK_ALL)->setChecked(boxes.all);
  for (const CategoryBox& box : kCategoryBoxes) {
    DlgItem<QCheckBox>(box.id)->setChecked(boxes.ticked[CategoryIndex(box.category)]);
  }
}

void CClassifierDlg::EnableAreaChoice(bool enable) { m_overview->AreaChoice()->setEnabled(enable); }

void CClassifierDlg::OnBox(std::optional<NumberCategory> box) {
  m_logic.RunCommand([this, box] {
    BoxStates boxes;
    boxes.all = DlgItem<QCheckBox>(res::IDC_CHECK_ALL)->isChecked();
    for (const CategoryBox& each : kCategoryBoxes) {
      boxes.ticked[CategoryIndex(each.category)] = DlgItem<QCheckBox>(each.id)->isChecked();
    }
    m_logic.OnBox(box, boxes);
  });
}

bool CClassifierDlg::RunWork(std::string_view what, const std::function<void(WorkProgress&)>& work) {
  return m_work.Run(FromUtf8(what), work);
}

void CClassifierDlg::EnableCommands(bool enable) {
  for (QWidget* control : m_commandControls) control->setEnabled(enable);
  for (QAction* action : m_commandActions) action->setEnabled(enable);
  setAcceptDrops(enable);
}

void CClassifierDlg::CloseLater() { QTimer::singleShot(0, this, &QWidget::close); }

void CClassifierDlg::closeEvent(QCloseEvent* event) {
  if (!m_logic.OnClose()) return event->ignore();
  const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
  RememberPlacement(m_shell.Settings(), {{normal.x(), normal.y(), normal.width(), normal.height()}, isMaximized()});
  TemplateDialog::closeEvent(event);
}

SettingsStore& CClassifierDlg::Settings() { return m_shell.Settings(); }

Prompts& CClassifierDlg::UserPrompts() { return m_shell; }

std::optional<std::string> CClassifierDlg::AskSeparator(std::string_view offered, std::string_view note) {
  CSeparatorDlg dialog(FromUtf8(offered), FromUtf8(note), this);
  if (m_shell.RunModal(dialog) != QDialog::Accepted) return std::nullopt;
  return dialog.Separator().toUtf8().toStdString();
}

std::optional<std::size_t> CClassifierDlg::AskColumn(std::string_view prompt, const std::vector<ListEntry>& entries,
                                                     std::size_t chosen) {
  CListChoiceDlg dialog(res::kColumnDialog, FromUtf8(prompt), entries, chosen, this);
  if (m_shell.RunModal(dialog) != QDialog::Accepted) return std::nullopt;
  return dialog.Chosen();
}

std::optional<std::size_t> CClassifierDlg::AskExportKind(const std::vector<ListEntry>& entries, std::size_t chosen) {
  CListChoiceDlg dialog(res::kExportKindDialog, QString(), entries, chosen, this);
  if (m_shell.RunModal(dialog) != QDialog::Accepted) return std::nullopt;
  return dialog.Chosen();
}

std::optional<AreaLevel> CClassifierDlg::AskAreaLevel() {
  QMenu menu(this);
  const QAction* byProvince = menu.addAction(FromUtf8(MainDialogLogic::kByProvinceName));
  menu.addAction(FromUtf8(MainDialogLogic::kByCityName));
  const QWidget* button = GetDlgItem(res::IDC_AREA_EXPORT);
  const QAction* chosen = m_shell.RunMenu(menu, button->mapToGlobal(QPoint(0, button->height())));
  if (chosen == nullptr) return std::nullopt;
  return chosen == byProvince ? AreaLevel::Province : AreaLevel::City;
}

std::optional<ComparisonRequest> CClassifierDlg::AskComparison(AnalysisChoice& choice) {
  CAnalysisDlg dialog(m_shell, choice, this);
  if (m_shell.RunModal(dialog) != QDialog::Accepted) return std::nullopt;
  return dialog.Request();
}

void CClassifierDlg::ShowReport(ReportDialogLogic& logic) {
  CReportDlg report(logic, this);
  m_shell.RunModal(report);
}

void CClassifierDlg::ShowAbout() {
  CAboutDlg about(this);
  m_shell.RunModal(about);
}

void CClassifierDlg::ShowHelp() {
  CHelpDlg help(this);
  m_shell.RunModal(help);
}

void CClassifierDlg::ShowWaitCursor(bool wait) {
  if (wait) {
    m_shell.SetWaitCursor();
  } else {
    m_shell.RestoreCursor();
  }
}

void CClassifierDlg::ShowCounts(std::string_view status, const CategoryCounts& counts) {
  m_status->setText(FromUtf8(status));
  m_overview->ShowCounts(counts);
}

void CClassifierDlg::ChooseTableEntry(int entry) { m_overview->ChooseTable(entry); }

void CClassifierDlg::ShowStatusLine(std::string_view text) { m_status->setText(FromUtf8(text)); }

void CClassifierDlg::ShowAreas(const std::vector<AreaEntry>& entries, std::size_t chosen) {
  m_overview->ShowAreas(entries, chosen);
}

void CClassifierDlg::ChooseAreaTableEntry(int entry) { m_overview->ChooseAreaTable(entry); }

void CClassifierDlg::ShowLoadedAreaTable(std::string_view name, std::string_view path) {
  m_overview->ShowLoadedAreaTable(FromUtf8(name), FromUtf8(path));
}

void CClassifierDlg::ShowLoadedTable(std::string_view name, std::string_view path) {
  m_overview->ShowLoadedTable(FromUtf8(name), FromUtf8(path));
}

void CClassifierDlg::OnSysCommand(unsigned id) {
  if ((id & 0xFFF0) == res::IDM_ABOUTBOX) return m_logic.OnAbout();
  DefaultSystemCommand(this, id);
}

void CClassifierDlg::OnSize(int cx, int cy) {
  // The first size comes as the window is made: there is nothing to lay out yet.
  if (!m_sizeSeen) {
    m_sizeSeen = true;
    return;
  }
  const MainWindowLayout layout = LayOutMainWindow(cx, cy, m_overview->width());
  m_list->setGeometry(layout.list.left, layout.list.top, layout.list.width, layout.list.height);
  m_status->setGeometry(m_status->x(), layout.statusTop, layout.statusWidth, m_status->height());
  m_overview->move(layout.paneLeft, m_overview->y());
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
  QTimer::singleShot(0, this, [this, paths] { m_logic.RunCommand([this, &paths] { m_logic.ImportFiles(paths); }); });
}

}  // namespace zelvane
