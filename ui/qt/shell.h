#pragma once

#include "ui/logic/prompts.h"
#include "ui/logic/settings_store.h"

class QAction;
class QDialog;
class QMenu;
class QPoint;
class QString;

namespace zelvane {

// Every interaction that waits for the user, and the cursor, go through here: the program uses
// QtShell, tests a scripted shell that answers with prepared paths and records what was shown. The
// prompts are the window logic's own, owned by the window that is active when they open.
class Shell : public Prompts {
 public:
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
