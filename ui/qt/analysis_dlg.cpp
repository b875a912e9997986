#include "ui/qt/analysis_dlg.h"

#include <QLineEdit>
#include <QPushButton>

#include "res/analysis_dialog_template.h"
#include "ui/qt/shell.h"
#include "ui/qt/ui_text.h"

namespace zelvane {

CAnalysisDlg::CAnalysisDlg(Shell& shell, AnalysisChoice& choice, QWidget* parent)
    : TemplateDialog(res::kAnalysisDialog, parent), m_shell(shell), m_choice(choice) {
  connect(DlgItem<QPushButton>(res::IDC_PICK_FILE1), &QPushButton::clicked, this, &CAnalysisDlg::OnPickFile1);
  connect(DlgItem<QPushButton>(res::IDC_PICK_FILE2), &QPushButton::clicked, this, &CAnalysisDlg::OnPickFile2);
  connect(DlgItem<QPushButton>(res::IDC_FIND_SAME), &QPushButton::clicked, this, &CAnalysisDlg::OnFindSame);
  connect(DlgItem<QPushButton>(res::IDC_FIND_DIFFERENT), &QPushButton::clicked, this, &CAnalysisDlg::OnFindDifferent);
  UpdateData();
  GetDlgItem(m_choice.Mode() == ComparisonMode::FindDifferent ? res::IDC_FIND_DIFFERENT : res::IDC_FIND_SAME)
      ->setFocus();
}

void CAnalysisDlg::OnPickFile1() { PickFile(0); }

void CAnalysisDlg::OnPickFile2() { PickFile(1); }

void CAnalysisDlg::OnFindSame() { Finish(ComparisonMode::FindSame); }

void CAnalysisDlg::OnFindDifferent() { Finish(ComparisonMode::FindDifferent); }

void CAnalysisDlg::PickFile(int slot) {
  const auto chosen = m_shell.ChooseOpenFile(kImportPrompt);
  if (m_choice.Picked(slot, chosen)) UpdateData();
}

void CAnalysisDlg::Finish(ComparisonMode mode) {
  const std::optional<ComparisonRequest> request = m_choice.Finish(mode);
  if (!request) return m_shell.ShowMessage(AnalysisChoice::kBothFilesNeeded);
  m_request = *request;
  accept();
}

void CAnalysisDlg::UpdateData() {
  DlgItem<QLineEdit>(res::IDC_FILE1_EDIT)->setText(PathText(m_choice.File(0)));
  DlgItem<QLineEdit>(res::IDC_FILE2_EDIT)->setText(PathText(m_choice.File(1)));
}

}  // namespace zelvane
