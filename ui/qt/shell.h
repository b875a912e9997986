#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "ui/logic/file_prompt.h"
#include "ui/logic/settings_store.h"

class QAction;
class QDialog;
class QMenu;
class QPoint;
class QString;
class QWidget;

namespace zelvane {

// Every interaction that waits for the user, and the cursor, go through here: the program uses
// QtShell, tests a scripted shell that answers with prepared paths and records what was shown.
class Shell {
 public:
  virtual ~Shell() = default;

  // A file to read or to write (the prompt's suffix added to a name typed without one), an existing
  // folder; nothing when the user cancels. The prompts are the window logic's.
  virtual std::optional<std::filesystem::path> ChooseOpenFile(QWidget* owner, const FilePrompt& prompt) = 0;
  // One or several files to read, in the order the prompt gives them; none when the user cancels.
  virtual std::vector<std::filesystem::path> ChooseOpenFiles(QWidget* owner, const FilePrompt& prompt) = 0;
  // The file to write and the filter chosen; the suffix added is that of the filter chosen (its first
  // pattern's), or the prompt's when the filter names none.
  virtual std::optional<SavedFile> ChooseSaveFile(QWidget* owner, const FilePrompt& prompt) = 0;
  virtual std::optional<std::filesystem::path> ChooseFolder(QWidget* owner, std::string_view title) = 0;

  // A message box captioned "提示" with an OK button only; returns when the user closes it.
  virtual void ShowMessage(QWidget* owner, const QString& text) = 0;
  // A question captioned "提示" with 是 and 否; true for 是, false for 否, Esc and the close box.
  virtual bool AskYesNo(QWidget* owner, const QString& question) = 0;
  // A message box of the program itself, before any window exists: captioned with the program's name.
  virtual void ShowAppMessage(const QString& text) = 0;

  // Pops a menu up at a global position and returns the action chosen, nullptr when it was closed.
  virtual QAction* RunMenu(QMenu& menu, const QPoint& at) = 0;
  // Runs a dialog modally and returns its result (QDialog::Accepted or QDialog::Rejected).
  virtual int RunModal(QDialog& dialog) = 0;
  // Shows the progress window of long work, modal over its owner, and returns at once: the work hides
  // it when it ends, and rejecting it asks the work to stop.
  virtual void ShowProgress(QDialog& progress) = 0;

  // Where the window's choices are kept between starts.
  virtual SettingsStore& Settings() = 0;

  // The wait cursor while a command works, then the normal cursor again.
  virtual void SetWaitCursor() = 0;
  virtual void RestoreCursor() = 0;
};

}  // namespace zelvane
