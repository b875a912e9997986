#pragma once

#include <optional>
#include <string>

#include "core/category_lists.h"
#include "ui/number_list_model.h"
#include "ui/template_dialog.h"

class QLabel;

namespace zelvane {

class CWebBrowser2;
class NumberListView;
class Shell;
class SystemMenu;

// The main window: imports number files into the five category lists, shows them in the list
// view as the six check boxes filter them, reports the counts in the status line, writes the
// shown numbers or every category out, and compares two number files into the list view. Enter
// never closes it; Esc and the close box do.
class CClassifierDlg : public TemplateDialog {
  Q_OBJECT

 public:
  explicit CClassifierDlg(Shell& shell, QWidget* parent = nullptr);

  const CategoryLists& Lists() const { return m_model.Lists(); }
  SystemMenu& GetSystemMenu() const { return *m_systemMenu; }

  // A command of the system menu: IDM_ABOUTBOX (any id from 16 to 31) opens the About box,
  // the others do what the platform does.
  void OnSysCommand(unsigned id);
  // Lays the list, the status line and the advertisement pane out for a client area of cx by cy
  // pixels; the first call only records that the window now has a size.
  void OnSize(int cx, int cy);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void OnInitDialog();
  void UpdateData(bool save);

  // Connects a control's signal to a command handler, which runs through RunCommand.
  template <class Control, class Signal>
  void ConnectCommand(int id, Signal signal, void (CClassifierDlg::*handler)()) {
    connect(DlgItem<Control>(id), signal, this, [this, handler] { RunCommand(handler); });
  }
  // Runs a command handler. When memory runs out on the way the user is told, and the numbers and
  // the list stay as they were: every command changes them only once nothing can fail any more.
  void RunCommand(void (CClassifierDlg::*handler)());

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

  // The separator dialog's answer as bytes to write, CR LF when nothing was typed; nothing, after
  // telling the user, when the typed text cannot be written in GBK.
  std::optional<std::string> AskSeparator();

  // Rebuilds the list view from the boxes, or appends one category's numbers to it.
  void RefreshList(std::optional<NumberCategory> appended);
  // The categories that the boxes let into the list view.
  CategoryFilter Admitted() const;

  Shell& m_shell;
  NumberListModel m_model;
  const PrefixTable* m_table = &PrefixTable::Original();
  QLabel* m_status;
  NumberListView* m_list;
  CWebBrowser2* m_browser;
  SystemMenu* m_systemMenu;

  // The check boxes as of the last data exchange: "全部", and one per category.
  bool m_all = true;
  CategoryFilter m_ticked{};

  bool m_sizeSeen = false;
};

}  // namespace zelvane
