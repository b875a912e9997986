#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <iostream>
#include <streambuf>
#include <string>

#include "core/platform/terminal.h"
#include "core/platform/wide_text.h"

namespace zelvane {

namespace {

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

// UTF-8 text as the console shows it: wide to a console window, else in the console's code page.
void WriteShown(int fd, std::string_view text) {
  if (text.empty()) return;
  const std::wstring wide = Wide(text);
  const HANDLE handle = HandleOf(fd);
  DWORD done = 0;
  if (IsTerminal(fd)) {
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &done, nullptr);
    return;
  }
  const std::string shown = InCodePage(wide, ConsoleCodePage());
  WriteFile(handle, shown.data(), static_cast<DWORD>(shown.size()), &done, nullptr);
}

// Collects what a stream is given and shows it line by line (a character is never cut in two).
class ShownBuffer : public std::streambuf {
 public:
  explicit ShownBuffer(int fd) : fd_(fd) {}

 protected:
  int_type overflow(int_type c) override {
    if (c != traits_type::eof()) pending_ += static_cast<char>(c);
    if (c == '\n') sync();
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    pending_.append(text, static_cast<std::size_t>(count));
    if (pending_.find('\n') != std::string::npos) sync();
    return count;
  }
  int sync() override {
    WriteShown(fd_, pending_);
    pending_.clear();
    return 0;
  }

 private:
  int fd_;
  std::string pending_;
};

// A standard stream without a handle: none was given (NULL or INVALID_HANDLE_VALUE, which the C
// runtime keeps as -1 or -2), or the one given is not open.
bool IsClosed(int fd) {
  const intptr_t raw = _get_osfhandle(fd);
  if (raw == 0 || raw == -1 || raw == -2) return true;
  SetLastError(NO_ERROR);
  return GetFileType(reinterpret_cast<HANDLE>(raw)) == FILE_TYPE_UNKNOWN && GetLastError() == ERROR_INVALID_HANDLE;
}

bool inputWasClosed = false;

}  // namespace

void EnsureStandardStreams() {
  constexpr DWORD kHandleNames[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
  for (int fd = 0; fd < 3; ++fd) {
    if (!IsClosed(fd)) continue;
    if (fd == 0) inputWasClosed = true;
    const HANDLE null = CreateFileW(L"NUL", fd == 0 ? GENERIC_READ : GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (null == INVALID_HANDLE_VALUE) continue;
    const int opened = _open_osfhandle(reinterpret_cast<intptr_t>(null), (fd == 0 ? _O_RDONLY : _O_WRONLY) | _O_BINARY);
    if (opened < 0) {
      CloseHandle(null);
      continue;
    }
    if (opened != fd) {
      _dup2(opened, fd);
      _close(opened);
    }
    SetStdHandle(kHandleNames[fd], HandleOf(fd));
  }
}

bool StandardInputWasClosed() { return inputWasClosed || IsClosed(0); }

const char* ArgumentCharset() { return "UTF-8"; }

bool IsTerminal(int fd) {
  DWORD mode = 0;
  return GetConsoleMode(HandleOf(fd), &mode) != 0;
}

void ShowUtf8OnTerminal() {
  static ShownBuffer out(1);
  static ShownBuffer err(2);
  std::cout.rdbuf(&out);
  std::cerr.rdbuf(&err);
  std::cerr.setf(std::ios::unitbuf);
}

void WriteToStandardError(std::string_view text) {
  std::cerr.flush();
  WriteShown(2, text);
}

}  // namespace zelvane
