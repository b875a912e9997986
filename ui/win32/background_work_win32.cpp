#include "ui/win32/background_work_win32.h"

#include <commctrl.h>

#include <atomic>
#include <string>
#include <vector>

#include "res/dialog_template.h"
#include "ui/logic/work_thread.h"
#include "ui/win32/dialog_template_win32.h"
#include "ui/win32/wide_text.h"

namespace zelvane::win32 {

namespace {

constexpr DWORD kBarUpdateMs = 100;
constexpr int kBarId = 100;
constexpr int kWhatId = 101;

// The progress window: what is being done, the bar (made in WM_INITDIALOG: the templates know no
// bars) and 取消.
const res::ControlTemplate kProgressControls[] = {
    {kWhatId, res::ControlKind::Text, "", {7, 7, 226, 8}},
    {IDCANCEL, res::ControlKind::DefaultPushButton, "取消", {183, 38, 50, 14}},
};
const res::DialogRect kBarRect{7, 20, 226, 10};

INT_PTR CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(window, DWLP_USER, lParam);
      RECT bar{kBarRect.x, kBarRect.y, kBarRect.x + kBarRect.cx, kBarRect.y + kBarRect.cy};
      MapDialogRect(window, &bar);
      HWND control = CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, bar.left, bar.top,
                                     bar.right - bar.left, bar.bottom - bar.top, window,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBarId)), nullptr, nullptr);
      SendMessageW(control, PBM_SETRANGE32, 0, 1000);
      wchar_t caption[512];
      GetWindowTextW(window, caption, 512);
      SetDlgItemTextW(window, kWhatId, caption);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL)
        reinterpret_cast<SharedProgress*>(GetWindowLongPtrW(window, DWLP_USER))->RequestStop();
      return TRUE;
    default: return FALSE;
  }
}

bool IsButtonDown(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

}  // namespace

// The progress window is modal over the owner's contents, but not over its frame: a disabled owner's
// close box would not answer, and closing the window while work runs is how a user stops it and leaves.
bool BackgroundWork::ForOwnersContents(const MSG& message) const {
  const bool input =
      (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) ||
      (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST && message.message != WM_SYSKEYDOWN &&
       message.message != WM_SYSKEYUP && message.message != WM_SYSCHAR);  // Alt+F4 and Alt+Space reach the frame
  return input && (message.hwnd == m_owner || IsChild(m_owner, message.hwnd));
}

bool BackgroundWork::Run(std::string_view what, const std::function<void(WorkProgress&)>& work) {
  SharedProgress shared;
  m_running = &shared;
  std::exception_ptr thrown;
  std::atomic<bool> done = false;
  const DWORD windowThread = GetCurrentThreadId();
  std::jthread worker = StartWork(shared, work, thrown, [&done, windowThread] {
    done = true;
    PostThreadMessageW(windowThread, WM_NULL, 0, 0);  // wakes the loop below
  });

  const std::string caption(what);
  const res::DialogTemplate layout{0, caption, 240, 59, false, kProgressControls};
  const std::vector<WORD> bytes = BuildDialogTemplate(layout);
  HWND window = nullptr;
  bool quit = false;
  const ULONGLONG start = GetTickCount64();
  while (!done) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kBarUpdateMs, QS_ALLINPUT);
    if (window == nullptr && !done &&
        GetTickCount64() - start >= static_cast<ULONGLONG>(kProgressWindowDelay.count())) {
      window = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(bytes.data()),
                                          m_owner, ProgressProc, reinterpret_cast<LPARAM>(&shared));
      ShowWindow(window, SW_SHOW);
    }
    if (window != nullptr) SendDlgItemMessageW(window, kBarId, PBM_SETPOS, static_cast<WPARAM>(shared.Permille()), 0);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = true;
        continue;
      }
      if (window != nullptr && IsDialogMessageW(window, &message)) continue;
      if (window != nullptr && ForOwnersContents(message)) {
        if (IsButtonDown(message.message)) SetActiveWindow(window);
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  worker.join();
  m_running = nullptr;
  if (window != nullptr) DestroyWindow(window);
  if (quit) PostQuitMessage(0);
  if (thrown) std::rethrow_exception(thrown);
  return !shared.StopRequested();
}

void BackgroundWork::Cancel() {
  if (m_running) m_running->RequestStop();
}

}  // namespace zelvane::win32
