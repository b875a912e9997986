#pragma once

#include <filesystem>

#include "ui/logic/analysis_choice.h"
#include "ui/qt/template_dialog.h"

namespace zelvane {

class Shell;

// "号码分析": asks for the two number files to compare and whether to find the numbers they share
// or those they do not. Only 找相同 and 找不同 close it with OK, and only once both files are
// chosen; Enter on anything else does nothing. Esc and the close box cancel. It opens with the files
// of choice shown and the focus on the button of its mode, and leaves choice as it was closed.
class CAnalysisDlg : public TemplateDialog {
  Q_OBJECT

 public:
  CAnalysisDlg(Shell& shell, AnalysisChoice& choice, QWidget* parent = nullptr);

  // What the user chose; read it once the dialog was accepted.
  const ComparisonRequest& Request() const { return m_request; }

 private:
  void OnPickFile1();
  void OnPickFile2();
  void OnFindSame();
  void OnFindDifferent();

  void PickFile(int slot);
  void Finish(ComparisonMode mode);
  // Shows the chosen paths in the read-only edits.
  void UpdateData();

  Shell& m_shell;
  AnalysisChoice& m_choice;
  ComparisonRequest m_request;
};

}  // namespace zelvane
