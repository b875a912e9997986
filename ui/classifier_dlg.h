#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/category_lists.h"
#include "ui/background_work.h"
#include "ui/number_list_model.h"
#include "ui/template_dialog.h"

class QAction;
class QLabel;
class QMenu;

namespace zelvane {

class COverviewPane;
class NumberListView;
class Shell;
class SystemMenu;

// The main window: imports number files into the five category lists, shows them in the list
// view as the six check boxes filter them, reports the counts in the status line and the overview
// pane's chart, writes the shown numbers or every category out, and compares two number files into
// the list view. Neither Enter nor Esc closes it; the close box does. Long commands run on another
// thread (BackgroundWork) while the window goes on answering, and 取消 leaves everything as it was.
class CClassifierDlg : public TemplateDialog {
  Q_OBJECT

 public:
  explicit CClassifierDlg(Shell& shell, QWidget* parent = nullptr);

  const CategoryLists& Lists() const { return m_model.Lists(); }
  SystemMenu& GetSystemMenu() const { return *m_systemMenu; }
  QMenu& ListMenu() const { return *m_listMenu; }
  BackgroundWork& Work() { return m_work; }

  // Imports files in order, as 导入 does, and tells the user once: the total, and each file that
  // could not be read with its reason (the others are imported all the same).
  void ImportFiles(const std::vector<std::filesystem::path>& paths);

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
  void UpdateData(bool save);

  // Connects a control's signal to a command handler, which runs through RunCommand.
  template <class Control, class Signal>
  void ConnectCommand(Control* control, Signal signal, void (CClassifierDlg::*handler)()) {
    connect(control, signal, this, [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
  }
  // Runs a command. When memory runs out on the way the user is told, and the numbers and the list
  // stay as they were: every command changes them only once nothing can fail any more.
  void RunCommand(const std::function<void()>& command);

  void OnImport();
  void OnCheckAll();
  void OnCheckMobile();
  void OnCheckUnicom();
  void OnCheckTelecom();
  void OnCheckPhs();
  void OnCheckOther();
  void OnCheckCategory(NumberCategory category);
  void OnExport();
  void OnOneClickExport();
  void OnAnalysis();
  void OnHelpButton();
  void OnTableChosen(int entry);
  void OnClearNumbers();
  void OnRemoveRepeats();

  // Runs long work with the controls that would start other work disabled; false when it was cancelled.
  bool RunWork(const QString& what, const std::function<void(WorkProgress&)>& work);
  void EnableCommands(bool enable);

  // The separator dialog's answer as bytes to write, CR LF when nothing was typed; nothing, after
  // telling the user, when the typed text cannot be written in GBK.
  std::optional<std::string> AskSeparator();

  // Rebuilds the list view from the boxes, or appends one category's numbers to it.
  void RefreshList(std::optional<NumberCategory> appended);
  // The categories that the boxes let into the list view.
  CategoryFilter Admitted() const;
  // The status line and the chart after the lists changed.
  void ShowCounts();

  Shell& m_shell;
  NumberListModel m_model;
  QLabel* m_status;
  NumberListView* m_list;
  COverviewPane* m_overview;
  SystemMenu* m_systemMenu;
  QMenu* m_listMenu;

  const PrefixTable* m_table = &PrefixTable::Original();
  std::optional<PrefixTable> m_loadedTable;  // the table file the user loaded last, if any

  // The check boxes as of the last data exchange: "全部", and one per category.
  bool m_all = true;
  CategoryFilter m_ticked{};

  bool m_sizeSeen = false;

  BackgroundWork m_work;
  QList<QWidget*> m_commandControls;  // what starts work, disabled while work runs
  QList<QAction*> m_commandActions;
  bool m_closeAsked = false;
};

}  // namespace zelvane
