#pragma once

#include <chrono>
#include <functional>

#include "core/work_progress.h"
#include "ui/logic/work_thread.h"

class QString;
class QWidget;

namespace zelvane {

class Shell;

// Long work of a window on a thread of its own: the window goes on repainting and answering while it
// runs, and work that lasts longer than the delay shows a progress window (CProgressDlg, through the
// shell) whose 取消 asks it to stop. One at a time.
class BackgroundWork {
 public:
  static constexpr std::chrono::milliseconds kDefaultDelay = kProgressWindowDelay;

  BackgroundWork(Shell& shell, QWidget* owner) : m_shell(shell), m_owner(owner) {}

  // Runs work(progress) on another thread and returns once it ended; what it threw is thrown here.
  // what says what is being done. False when the user asked it to stop.
  bool Run(const QString& what, const std::function<void(WorkProgress&)>& work);

  // Asks the work that runs to stop, as 取消 does.
  void Cancel();

  // How long work runs before its progress window shows; 0 shows it before the work begins.
  void SetDelay(std::chrono::milliseconds delay) { m_delay = delay; }

 private:
  Shell& m_shell;
  QWidget* m_owner;
  std::chrono::milliseconds m_delay = kDefaultDelay;
  SharedProgress* m_running = nullptr;
};

}  // namespace zelvane
