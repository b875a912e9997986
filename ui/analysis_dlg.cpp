#include "ui/analysis_dlg.h"

#include <QLineEdit>
#include <QPushButton>

#include "res/analysis_dialog_template.h"
#include "ui/number_file_prompts.h"
#include "ui/shell.h"
#include "ui/ui_text.h"

namespace zelvane {

CAnalysisDlg::CAnalysisDlg(Shell& shell, QWidget* parent)
    : TemplateDialog(res::kAnalysisDialog, parent), m_shell(shell) {
  connect(DlgItem<QPushButton>(res::IDC_PICK_FILE1), &QPushButton::clicked, this, &CAnalysisDlg::OnPickFile1);
  connect(DlgItem<QPushButton>(res::IDC_PICK_FILE2), &QPushButton::clicked, this, &CAnalysisDlg::OnPickFile2);
  connect(DlgItem<QPushButton>(res::IDC_FIND_SAME), &QPushButton::clicked, this, &CAnalysisDlg::OnFindSame);
  connect(DlgItem<QPushButton>(res::IDC_FIND_DIFFERENT), &QPushButton::clicked, this, &CAnalysisDlg::OnFindDifferent);
}

void CAnalysisDlg::OnPickFile1() { PickFile(m_file1); }

void CAnalysisDlg::OnPickFile2() { PickFile(m_file2); }

void CAnalysisDlg::OnFindSame() { Finish(ComparisonMode::FindSame); }

void CAnalysisDlg::OnFindDifferent() { Finish(ComparisonMode::FindDifferent); }

void CAnalysisDlg::PickFile(std::filesystem::path& file) {
  const std::optional<std::filesystem::path> chosen = ChooseFileToImport(m_shell, this);
  if (!chosen) return;
  file = *chosen;
  UpdateData();
}

void CAnalysisDlg::Finish(ComparisonMode mode) {
  if (m_file1.empty() || m_file2.empty()) {
    m_shell.ShowMessage(this, QStringLiteral("请选择两个需要进行比较的号码文件！"));
    return;
  }
  m_mode = mode;
  accept();
}

void CAnalysisDlg::UpdateData() {
  DlgItem<QLineEdit>(res::IDC_FILE1_EDIT)->setText(PathText(m_file1));
  DlgItem<QLineEdit>(res::IDC_FILE2_EDIT)->setText(PathText(m_file2));
}

}  // namespace zelvane
