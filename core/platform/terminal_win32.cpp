#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <iostream>
#include <streambuf>
#include <string>

#include "core/platform/files.h"
#include "core/platform/terminal.h"
#include "core/platform/wide_text.h"

namespace zelvane {

namespace {

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

// A console window is given wide text, in pieces it takes at once (a surrogate pair never cut in two).
bool WriteToConsole(HANDLE console, std::wstring_view wide) {
  constexpr std::size_t kPiece = 8192;
  while (!wide.empty()) {
    std::size_t size = std::min(wide.size(), kPiece);
    if (size < wide.size() && IS_HIGH_SURROGATE(wide[size - 1])) --size;
    DWORD done = 0;
    if (!WriteConsoleW(console, wide.data(), static_cast<DWORD>(size), &done, nullptr) || done == 0) return false;
    wide.remove_prefix(done);
  }
  return true;
}

// The length of the well-formed UTF-8 sequence text begins with, or 0 when it begins with none.
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
  if (length == 0 || length > text.size()) return 0;
  // The second byte's range excludes overlong forms, surrogates and what lies beyond U+10FFFF.
  const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
  const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

// The program's text as characters: UTF-8, but a number in it keeps the GBK bytes it was read with.
std::wstring WideOfMixed(std::string_view text) {
  std::wstring wide;
  while (!text.empty()) {
    std::size_t utf8 = 0;
    for (std::size_t length; utf8 < text.size() && (length = Utf8SequenceLength(text.substr(utf8))) != 0;) {
      utf8 += length;
    }
    wide += Wide(text.substr(0, utf8));
    text.remove_prefix(utf8);
    // What is not UTF-8 is read as GBK a character (one or two bytes) at a time.
    const std::size_t gbk = text.empty()                                 ? 0
                            : static_cast<unsigned char>(text[0]) < 0x81 ? 1
                                                                         : std::min<std::size_t>(text.size(), 2);
    wide += WideFromCodePage(text.substr(0, gbk), kGbkCodePage);
    text.remove_prefix(gbk);
  }
  return wide;
}

// The program's text to fd: as characters to a console window, else as the bytes they are. 0, or an
// errno.
int WriteShown(int fd, std::string_view text) {
  if (text.empty()) return 0;
  if (IsTerminal(fd)) return WriteToConsole(HandleOf(fd), WideOfMixed(text)) ? 0 : EIO;
  return WriteAll(fd, text);
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
    const int error = WriteShown(fd_, pending_);
    pending_.clear();
    return error == 0 ? 0 : -1;
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

int WriteTextToStandardOutput(std::string_view text) {
  std::cout.flush();
  return WriteShown(1, text);
}

void WriteToStandardError(std::string_view text) {
  std::cerr.flush();
  WriteShown(2, text);
}

namespace {

// Blanks the console's line from the cursor to its end, leaving the cursor where it is.
void EraseToLineEnd(HANDLE console) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!GetConsoleScreenBufferInfo(console, &info)) return;
  DWORD done = 0;
  FillConsoleOutputCharacterW(console, L' ', static_cast<DWORD>(info.dwSize.X - info.dwCursorPosition.X),
                              info.dwCursorPosition, &done);
}

}  // namespace

// A console is cleared by its own means, never by ESC[K: an old one prints the sequence, and Wine's
// takes the virtual-terminal mode without acting on it.
void RewriteErrorLine(std::string_view line) {
  if (!IsTerminal(2)) {
    WriteToStandardError("\r" + std::string(line) + "\x1b[K");
    return;
  }
  WriteToStandardError("\r" + std::string(line));
  EraseToLineEnd(HandleOf(2));
}

}  // namespace zelvane
