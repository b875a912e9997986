#pragma once

#include <filesystem>

#include "ops/number_comparison.h"
#include "ui/template_dialog.h"

namespace zelvane {

class Shell;

// "号码分析": asks for the two number files to compare and whether to find the numbers they share
// or those they do not. Only 找相同 and 找不同 close it with OK, and only once both files are
// chosen; Enter on anything else does nothing. Esc and the close box cancel.
class CAnalysisDlg : public TemplateDialog {
  Q_OBJECT

 public:
  explicit CAnalysisDlg(Shell& shell, QWidget* parent = nullptr);

  // What the user chose; read them once the dialog was accepted.
  const std::filesystem::path& File1() const { return m_file1; }
  const std::filesystem::path& File2() const { return m_file2; }
  ComparisonMode Mode() const { return m_mode; }

 private:
  void OnPickFile1();
  void OnPickFile2();
  void OnFindSame();
  void OnFindDifferent();

  // Asks for a file with the import's prompt; a cancelled prompt keeps the earlier choice.
  void PickFile(std::filesystem::path& file);
  // Closes with OK and the mode, or tells the user that a file is missing.
  void Finish(ComparisonMode mode);
  // Shows the chosen paths in the read-only edits.
  void UpdateData();

  Shell& m_shell;
  std::filesystem::path m_file1;
  std::filesystem::path m_file2;
  ComparisonMode m_mode = ComparisonMode::FindSame;
};

}  // namespace zelvane
