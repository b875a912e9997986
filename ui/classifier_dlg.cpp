#include "ui/classifier_dlg.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QPushButton>
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
#include "ui/resources.h"
#include "ui/separator_dlg.h"
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

}  // namespace

CClassifierDlg::CClassifierDlg(Shell& shell, QWidget* parent)
    : TemplateDialog(res::kMainDialog, parent),
      m_shell(shell),
      m_status(DlgItem<QLabel>(res::IDC_STATUS)),
      m_list(DlgItem<NumberListView>(res::IDC_NUMBER_LIST)),
      m_browser(DlgItem<CWebBrowser2>(res::IDC_AD_BROWSER)),
      m_systemMenu(new SystemMenu(this)) {
  m_list->SetModel(&m_model);

  connect(m_systemMenu, &SystemMenu::Command, this, &CClassifierDlg::OnSysCommand);
  ConnectCommand<QPushButton>(res::IDC_IMPORT, &QPushButton::clicked, &CClassifierDlg::OnImport);
  ConnectCommand<QCheckBox>(res::IDC_CHECK_ALL, &QCheckBox::clicked, &CClassifierDlg::OnCheckAll);
  ConnectCommand<QCheckBox>(res::IDC_CHECK_MOBILE, &QCheckBox::clicked, &CClassifierDlg::OnCheckMobile);
  ConnectCommand<QCheckBox>(res::IDC_CHECK_UNICOM, &QCheckBox::clicked, &CClassifierDlg::OnCheckUnicom);
  ConnectCommand<QCheckBox>(res::IDC_CHECK_TELECOM, &QCheckBox::clicked, &CClassifierDlg::OnCheckTelecom);
  ConnectCommand<QCheckBox>(res::IDC_CHECK_PHS, &QCheckBox::clicked, &CClassifierDlg::OnCheckPhs);
  ConnectCommand<QCheckBox>(res::IDC_CHECK_OTHER, &QCheckBox::clicked, &CClassifierDlg::OnCheckOther);
  ConnectCommand<QPushButton>(res::IDC_EXPORT, &QPushButton::clicked, &CClassifierDlg::OnExport);
  ConnectCommand<QPushButton>(res::IDC_ONE_CLICK_EXPORT, &QPushButton::clicked, &CClassifierDlg::OnOneClickExport);
  ConnectCommand<QPushButton>(res::IDC_ANALYSIS, &QPushButton::clicked, &CClassifierDlg::OnAnalysis);
  ConnectCommand<QPushButton>(res::IDC_HELP_BUTTON, &QPushButton::clicked, &CClassifierDlg::OnHelpButton);

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

void CClassifierDlg::RunCommand(void (CClassifierDlg::*handler)()) {
  try {
    (this->*handler)();
  } catch (const std::bad_alloc&) {
    m_shell.ShowMessage(this, QStringLiteral("内存不足，无法完成这个操作"));
  }
}

void CClassifierDlg::OnImport() {
  const std::optional<std::filesystem::path> path = ChooseFileToImport(m_shell, this);
  if (!path) return;

  const std::uint64_t before = m_model.Lists().size();
  FileResult error;
  {
    WaitCursor wait(m_shell);
    NumberFile file;
    error = file.Open(*path);
    if (!error) error = m_model.Import(file, *m_table, Admitted());
  }
  if (error) {
    m_shell.ShowMessage(this, FromUtf8(error->Message()));
    return;
  }
  m_status->setText(FromUtf8(StatusText(m_model.Lists().Counts())));
  m_shell.ShowMessage(this, QStringLiteral("共计导入%1个接收号码！").arg(m_model.Lists().size() - before));
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
    error = WriteNumberFile(*path, m_model.Numbers(), *separator);
  }
  m_shell.ShowMessage(this, error ? FromUtf8(error->Message()) : QStringLiteral("导出完毕"));
}

// Writes every category list, whatever the list view shows, to its own file in a folder the user
// picks, replacing files of those names without a question. Says nothing unless a file failed.
void CClassifierDlg::OnOneClickExport() {
  const std::optional<std::filesystem::path> folder = m_shell.ChooseFolder(this, QStringLiteral("所选择路径:   "));
  if (!folder) return;
  const std::optional<std::string> separator = AskSeparator();
  if (!separator) return;

  const std::vector<FileError> failures = ExportCategoryLists(*folder, m_model.Lists(), *separator);
  if (failures.empty()) return;
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
  if (FileResult error = CompareFiles(dialog.File1(), dialog.File2(), dialog.Mode(), result)) {
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
  m_status->move(m_status->x(), cy - 20);
  m_browser->move(cx - 15 - m_browser->width(), m_browser->y());
}

void CClassifierDlg::resizeEvent(QResizeEvent* event) {
  TemplateDialog::resizeEvent(event);
  OnSize(width(), height());
}

void CClassifierDlg::contextMenuEvent(QContextMenuEvent* event) { m_systemMenu->popup(event->globalPos()); }

}  // namespace zelvane
