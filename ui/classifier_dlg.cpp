#include "ui/classifier_dlg.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "res/main_dialog_template.h"
#include "res/string_table.h"
#include "ui/about_dlg.h"
#include "ui/help_dlg.h"
#include "ui/number_list_view.h"
#include "ui/resources.h"
#include "ui/shell.h"
#include "ui/system_menu.h"
#include "ui/ui_text.h"
#include "ui/web_browser2.h"

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

bool IsEnterKey(const QKeyEvent& event) { return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter; }

}  // namespace

CClassifierDlg::CClassifierDlg(Shell& shell, QWidget* parent)
    : TemplateDialog(res::kMainDialog, parent),
      m_shell(shell),
      m_model(m_lists),
      m_status(DlgItem<QLabel>(res::IDC_STATUS)),
      m_list(DlgItem<NumberListView>(res::IDC_NUMBER_LIST)),
      m_browser(DlgItem<CWebBrowser2>(res::IDC_AD_BROWSER)),
      m_systemMenu(new SystemMenu(this)) {
  m_list->SetModel(&m_model);

  connect(m_systemMenu, &SystemMenu::Command, this, &CClassifierDlg::OnSysCommand);
  connect(DlgItem<QPushButton>(res::IDC_IMPORT), &QPushButton::clicked, this, &CClassifierDlg::OnImport);
  connect(DlgItem<QCheckBox>(res::IDC_CHECK_ALL), &QCheckBox::clicked, this, &CClassifierDlg::OnCheckAll);
  for (const CategoryBox& box : kCategoryBoxes) {
    connect(DlgItem<QCheckBox>(box.id), &QCheckBox::clicked, this,
            [this, category = box.category] { OnCheckCategory(category); });
  }
  // 导出, 一键导出 and 号码分析 get their commands with the export and comparison dialogs.
  connect(DlgItem<QPushButton>(res::IDC_HELP_BUTTON), &QPushButton::clicked, this, &CClassifierDlg::OnHelpButton);

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
  m_browser->Navigate(FromUtf8(res::kAdPageUrl));
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

void CClassifierDlg::OnImport() {
  const std::optional<std::filesystem::path> path =
      m_shell.ChooseOpenFile(this, QStringLiteral("选择要导入的号码文件"), QStringLiteral("文本文件(*.txt)"));
  if (!path) return;

  std::vector<NumberCategory> imported;
  FileResult error;
  {
    WaitCursor wait(m_shell);
    const CategoryCounts before = m_lists.Counts();
    error = ImportNumberFile(*path, m_lists, imported);
    if (!error) m_model.Replace(MergeImported(m_model.Refs(), imported, before, Admitted()));
  }
  if (error) {
    m_shell.ShowMessage(this, FromUtf8(error->Message()));
    return;
  }
  m_status->setText(FromUtf8(StatusText(m_lists.Counts())));
  m_shell.ShowMessage(this, QStringLiteral("共计导入%1个接收号码！").arg(imported.size()));
}

void CClassifierDlg::OnCheckAll() {
  UpdateData(true);
  RefreshList(std::nullopt);
}

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
  m_status->move(m_status->x(), cy - 20);
  m_browser->move(cx - 15 - m_browser->width(), m_browser->y());
}

void CClassifierDlg::resizeEvent(QResizeEvent* event) {
  TemplateDialog::resizeEvent(event);
  OnSize(width(), height());
}

// The dialog has no OK button: Enter presses the push button that has the focus, if any, and
// does nothing otherwise.
void CClassifierDlg::keyPressEvent(QKeyEvent* event) {
  if (IsEnterKey(*event)) {
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
    return;
  }
  TemplateDialog::keyPressEvent(event);
}

void CClassifierDlg::contextMenuEvent(QContextMenuEvent* event) { m_systemMenu->popup(event->globalPos()); }

}  // namespace zelvane
