#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/category_lists.h"
#include "ui/logic/main_dialog_logic.h"
#include "ui/logic/main_window_view.h"
#include "ui/qt/background_work.h"
#include "ui/qt/number_list_model.h"
#include "ui/qt/template_dialog.h"

class QAction;
class QLabel;
class QMenu;

namespace zelvane {

class COverviewPane;
class NumberListView;
class Shell;
class SystemMenu;

// The main window in Qt: shows what MainDialogLogic decides (the list view, the six check boxes, the
// status line, the overview pane's table choice and chart) and hands it the user's commands. Neither
// Enter nor Esc closes it; the close box does. Long commands run on another thread (BackgroundWork)
// while the window goes on answering, and 取消 leaves everything as it was.
class CClassifierDlg : public TemplateDialog, private MainWindowView {
  Q_OBJECT

 public:
  explicit CClassifierDlg(Shell& shell, QWidget* parent = nullptr);

  const CategoryLists& Lists() const { return m_logic.Lists(); }
  SystemMenu& GetSystemMenu() const { return *m_systemMenu; }
  QMenu& ListMenu() const { return *m_listMenu; }
  BackgroundWork& Work() { return m_work; }

  // Imports files in order, as 导入 does, and tells the user once: the total, and each file that
  // could not be read with its reason (the others are imported all the same).
  void ImportFiles(const std::vector<std::filesystem::path>& paths) { m_logic.ImportFiles(paths); }

  // A command of the system menu: IDM_ABOUTBOX (any id from 16 to 31) opens the About box,
  // the others do what the platform does.
  void OnSysCommand(unsigned id);
  // Lays the list, the status line and the overview pane out for a client area of cx by cy
  // pixels; the first call only records that the window now has a size.
  void OnSize(int cx, int cy);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // While work runs, closing asks it to stop and closes once it did.
  void closeEvent(QCloseEvent* event) override;

 private:
  void OnInitDialog();
  // The size and place the window was last closed with, when a screen still shows it.
  void RestorePlacement();

  // Connects a control's signal to a command of the logic, which runs through RunCommand.
  template <class Control, class Signal>
  void ConnectCommand(Control* control, Signal signal, void (MainDialogLogic::*handler)()) {
    connect(control, signal, this, [this, handler] { m_logic.RunCommand([this, handler] { (m_logic.*handler)(); }); });
  }
  void OnBox(std::optional<NumberCategory> box);

  // MainWindowView
  Prompts& UserPrompts() override;
  std::optional<std::string> AskSeparator(std::string_view offered, std::string_view note) override;
  std::optional<AreaLevel> AskAreaLevel() override;
  std::optional<std::size_t> AskColumn(std::string_view prompt, const std::vector<ListEntry>& entries,
                                       std::size_t chosen) override;
  std::optional<std::size_t> AskExportKind(const std::vector<ListEntry>& entries, std::size_t chosen) override;
  std::optional<ComparisonRequest> AskComparison(AnalysisChoice& choice) override;
  void ShowReport(ReportDialogLogic& logic) override;
  void ShowAbout() override;
  void ShowHelp() override;
  bool RunWork(std::string_view what, const std::function<void(WorkProgress&)>& work) override;
  void CancelWork() override { m_work.Cancel(); }
  void ShowWaitCursor(bool wait) override;
  void EnableCommands(bool enable) override;
  void ShowCounts(std::string_view status, const CategoryCounts& counts) override;
  void ChooseTableEntry(int entry) override;
  void ShowLoadedTable(std::string_view name, std::string_view path) override;
  void ShowStatusLine(std::string_view text) override;
  void ShowBoxes(const BoxStates& boxes) override;
  void EnableAreaChoice(bool enable) override;
  void ShowAreas(const std::vector<AreaEntry>& entries, std::size_t chosen) override;
  void ChooseAreaTableEntry(int entry) override;
  void ShowLoadedAreaTable(std::string_view name, std::string_view path) override;
  void CloseLater() override;
  SettingsStore& Settings() override;

  Shell& m_shell;
  NumberListModel m_model;
  QLabel* m_status;
  NumberListView* m_list;
  COverviewPane* m_overview;
  SystemMenu* m_systemMenu;
  QMenu* m_listMenu;

  MainDialogLogic m_logic;
  bool m_sizeSeen = false;

  BackgroundWork m_work;
  QList<QWidget*> m_commandControls;  // what starts work, disabled while work runs
  QList<QAction*> m_commandActions;
};

}  // namespace zelvane
