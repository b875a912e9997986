#include <langinfo.h>
#include <unistd.h>

#include "core/platform/terminal.h"

namespace zelvane {

const char* ArgumentCharset() { return nl_langinfo(CODESET); }

bool IsTerminal(int fd) { return ::isatty(fd) == 1; }

void ShowUtf8OnTerminal() {}

void WriteToStandardError(std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(STDERR_FILENO, text.data(), text.size());
    if (written <= 0) return;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace zelvane
