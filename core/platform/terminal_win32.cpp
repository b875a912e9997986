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

}  // namespace

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
