#include "ops/raw_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace zelvane {

int WriteAll(int fd, std::string_view bytes, std::optional<std::uint64_t> offset) {
  while (!bytes.empty()) {
    const ssize_t written = offset ? ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(*offset))
                                   : ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    if (written == 0) return ENOSPC;
    bytes.remove_prefix(static_cast<std::size_t>(written));
    if (offset) *offset += static_cast<std::uint64_t>(written);
  }
  return 0;
}

int OpenUnnamedFile(const std::filesystem::path& folder, unsigned mode) {
  const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, static_cast<mode_t>(mode));
  // Older kernels and file systems without such files answer with one of these.
  if (fd < 0 && (errno == EISDIR || errno == EINVAL)) errno = EOPNOTSUPP;
  return fd;
}

int OpenNamelessFile(const std::filesystem::path& folder) {
  const int fd = OpenUnnamedFile(folder, 0600);
  if (fd >= 0 || errno != EOPNOTSUPP) return fd;
  std::string name = (folder / "zelvane-XXXXXX").string();
  const int named = ::mkostemp(name.data(), O_CLOEXEC);
  if (named >= 0) ::unlink(name.c_str());
  return named;
}

}  // namespace zelvane
