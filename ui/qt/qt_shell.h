#pragma once

#include <QString>

#include "ui/qt/shell.h"

class QFileDialog;

namespace zelvane {

// The shell of the real program: Qt's file dialogs and message boxes, the application's cursor, and
// the settings it is given. The file and folder prompts open in the folder last used in them, in this
// run or an earlier one (RememberedChoices::PromptFolder); at first in the current folder.
class QtShell final : public Shell {
 public:
  explicit QtShell(SettingsStore& settings) : m_settings(settings) {}

  std::optional<std::filesystem::path> ChooseOpenFile(const FilePrompt& prompt) override;
  std::vector<std::filesystem::path> ChooseOpenFiles(const FilePrompt& prompt) override;
  std::optional<SavedFile> ChooseSaveFile(const FilePrompt& prompt) override;
  std::optional<std::filesystem::path> ChooseFolder(std::string_view title) override;
  void ShowMessage(std::string_view text) override;
  bool AskYesNo(std::string_view question) override;
  void ShowAppMessage(const QString& text) override;
  QAction* RunMenu(QMenu& menu, const QPoint& at) override;
  int RunModal(QDialog& dialog) override;
  void ShowProgress(QDialog& progress) override;
  SettingsStore& Settings() override { return m_settings; }
  void SetWaitCursor() override;
  void RestoreCursor() override;

 private:
  // Runs a prompt from the last folder used, and remembers the folder of what was chosen; what was
  // chosen, nothing when it was cancelled.
  std::vector<std::filesystem::path> RunPrompt(QFileDialog& prompt);
  // The same for a prompt of one file or folder.
  std::optional<std::filesystem::path> RunSinglePrompt(QFileDialog& prompt);

  SettingsStore& m_settings;
};

}  // namespace zelvane
