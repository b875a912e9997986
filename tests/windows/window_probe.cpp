// window_probe DESKTOP CAPTION COMMAND: looks at another program's top-level window, found by its caption
// on the named desktop (Wine's virtual desktop), for the smoke test of the window program.
//   text ID SECONDS  waits until the window is there and its control ID shows a text, at most SECONDS;
//                    prints the text as UTF-8 (an empty line when it stayed empty)
//   rect             prints the window's place on the desktop: X Y WIDTH HEIGHT
//   press ID         clicks the window's button ID (IDOK = 1 closes a message box)
//   browse ID        opens the list of the window's choice ID, goes one entry down in it and closes it
//                    with Esc, as a user who looks and changes their mind; prints what the choice showed
//                    before and after, a line each
//   resize W H       asks for the window to be W x H pixels, as dragging its border does, and prints its
//                    place then, as rect does
//   close SECONDS    sends the window WM_CLOSE and waits for its process to end; prints the exit code
//   click-close SECONDS  the same, clicking the window's close box with the mouse as a user does
// Exits with 0; 1 when there is no such window or its process does not end in time; 2 on wrong use.

#include <windows.h>

#include <string>
#include <string_view>

#include "core/platform/wide_text.h"

namespace {

void Print(std::wstring_view text) {
  const std::string utf8 = zelvane::Utf8(text) + '\n';
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

std::wstring ControlText(HWND window, int id) {
  wchar_t text[1024] = L"";
  GetDlgItemTextW(window, id, text, static_cast<int>(std::size(text)));
  return text;
}

// Windows are found on the thread's desktop; a thread without windows of its own may change it.
bool UseDesktop(const wchar_t* name) {
  HDESK desktop = OpenDesktopW(name, 0, FALSE, GENERIC_ALL);
  return desktop != nullptr && SetThreadDesktop(desktop);
}

int Text(const wchar_t* desktop, const wchar_t* caption, int id, int seconds) {
  const ULONGLONG deadline = GetTickCount64() + 1000ULL * static_cast<ULONGLONG>(seconds);
  bool onDesktop = false;
  HWND window = nullptr;
  std::wstring text;
  while (text.empty() && GetTickCount64() < deadline) {
    onDesktop = onDesktop || UseDesktop(desktop);
    window = onDesktop ? FindWindowW(nullptr, caption) : nullptr;
    if (window != nullptr) text = ControlText(window, id);
    if (text.empty()) Sleep(100);
  }
  if (window == nullptr) return 1;
  Print(text);
  return 0;
}

int Rect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  Print(std::to_wstring(rect.left) + L' ' + std::to_wstring(rect.top) + L' ' + std::to_wstring(rect.right - rect.left) +
        L' ' + std::to_wstring(rect.bottom - rect.top));
  return 0;
}

int Browse(HWND window, int id) {
  HWND choice = GetDlgItem(window, id);
  if (choice == nullptr) return 1;
  const std::wstring before = ControlText(window, id);
  SendMessageW(choice, CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageW(choice, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageW(choice, WM_KEYDOWN, VK_ESCAPE, 0);
  Print(before);
  Print(ControlText(window, id));
  return 0;
}

int Resize(HWND window, int width, int height) {
  SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return Rect(window);
}

// The mouse goes to the close box (found along the middle of the caption, where the window says it is)
// and clicks there.
bool ClickClose(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const int y = rect.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  for (int x = rect.right - 1; x > rect.right - 80; --x) {
    if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != HTCLOSE) continue;
    SetCursorPos(x, y);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(2, clicks, sizeof(INPUT)) == 2;
  }
  return false;
}

int Close(HWND window, int seconds, bool click) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  if (process == nullptr) return 1;
  if (click ? !ClickClose(window) : !PostMessageW(window, WM_CLOSE, 0, 0)) return 1;
  DWORD code = STILL_ACTIVE;
  const bool ended = WaitForSingleObject(process, static_cast<DWORD>(seconds) * 1000) == WAIT_OBJECT_0;
  GetExitCodeProcess(process, &code);
  CloseHandle(process);
  if (!ended) return 1;
  Print(std::to_wstring(code));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  const std::wstring_view command = argv[3];
  if (command == L"text" && argc == 6) return Text(argv[1], argv[2], _wtoi(argv[4]), _wtoi(argv[5]));
  HWND window = UseDesktop(argv[1]) ? FindWindowW(nullptr, argv[2]) : nullptr;
  if (command == L"rect" && argc == 4) return window != nullptr ? Rect(window) : 1;
  if (command == L"press" && argc == 5) {
    return window != nullptr && PostMessageW(window, WM_COMMAND, MAKEWPARAM(_wtoi(argv[4]), BN_CLICKED), 0) ? 0 : 1;
  }
  if (command == L"browse" && argc == 5) return window != nullptr ? Browse(window, _wtoi(argv[4])) : 1;
  if (command == L"resize" && argc == 6) return window != nullptr ? Resize(window, _wtoi(argv[4]), _wtoi(argv[5])) : 1;
  if ((command == L"close" || command == L"click-close") && argc == 5) {
    return window != nullptr ? Close(window, _wtoi(argv[4]), command == L"click-close") : 1;
  }
  return 2;
}
