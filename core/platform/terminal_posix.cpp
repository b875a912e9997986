#include <fcntl.h>
#include <langinfo.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "core/platform/files.h"
#include "core/platform/terminal.h"

namespace zelvane {

const char* ArgumentCharset() { return nl_langinfo(CODESET); }

bool IsTerminal(int fd) { return ::isatty(fd) == 1; }

void ShowUtf8OnTerminal() {}

namespace {
bool inputClosed = false;
}  // namespace

void EnsureStandardStreams() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    if (fd == STDIN_FILENO) inputClosed = true;
    const int opened = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);  // the lowest free: fd
    if (opened >= 0 && opened != fd) {
      ::dup2(opened, fd);
      ::close(opened);
    }
  }
}

bool StandardInputWasClosed() { return inputClosed; }
int WriteTextToStandardOutput(std::string_view text) { return WriteAll(StandardOutput(), text); }

void RewriteErrorLine(std::string_view line) { WriteToStandardError("\r" + std::string(line) + "\x1b[K"); }

void WriteToStandardError(std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(STDERR_FILENO, text.data(), text.size());
    if (written <= 0) return;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace zelvane
