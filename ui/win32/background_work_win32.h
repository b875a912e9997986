#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

#include "core/work_progress.h"

namespace zelvane::win32 {

// Long work of a window on a thread of its own, while the window goes on answering: work that lasts
// longer than half a second shows a progress window over the owner, with a bar and 取消 (Esc and the
// close box too), which asks it to stop. It holds back input for the owner's contents, not its frame:
// the owner can still be moved, minimised and closed. One at a time.
class BackgroundWork {
 public:
  explicit BackgroundWork(HWND owner) : m_owner(owner) {}

  // Runs work(progress) on another thread and returns once it ended; what it threw is thrown here.
  // False when it was asked to stop.
  bool Run(std::string_view what, const std::function<void(WorkProgress&)>& work);
  // Asks the work that runs to stop, as 取消 does.
  void Cancel();

 private:
  // Mouse and keyboard input for the owner's controls, which the progress window holds back.
  bool ForOwnersContents(const MSG& message) const;

  HWND m_owner;
  SharedProgress* m_running = nullptr;
};

}  // namespace zelvane::win32
