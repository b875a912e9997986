#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "core/platform/files.h"

namespace zelvane {

namespace {

void Fill(const struct stat& info, PathStatus& status) {
  status.directory = S_ISDIR(info.st_mode);
  status.regular = S_ISREG(info.st_mode);
  status.permissions = info.st_mode & 07777;
  status.readOnly = (info.st_mode & 0222) == 0;
  status.size = status.regular ? static_cast<std::uint64_t>(info.st_size) : 0;
  status.identity = static_cast<std::uint64_t>(info.st_ino);
  status.owner = info.st_uid;
  status.group = info.st_gid;
}

// A file without a name in folder (O_TMPFILE); EOPNOTSUPP where the system cannot make one.
int OpenWithoutName(const std::filesystem::path& folder, mode_t mode) {
  const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
  // Older kernels and file systems without such files answer with one of these.
  if (fd < 0 && (errno == EISDIR || errno == EINVAL)) errno = EOPNOTSUPP;
  return fd;
}

}  // namespace

int StatusOfPath(const std::filesystem::path& path, PathStatus& status) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return errno;
  Fill(info, status);
  return 0;
}

int StatusOf(int fd, PathStatus& status) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return errno;
  Fill(info, status);
  return 0;
}

int OpenForReading(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return fd;
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

int StandardInput() { return STDIN_FILENO; }

int StandardOutput() { return STDOUT_FILENO; }

std::int64_t ReadSome(int fd, char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t got = ::read(fd, buffer, size);
    if (got >= 0 || errno != EINTR) return got;
  }
}

int Rewind(int fd) { return ::lseek(fd, 0, SEEK_SET) == 0 ? 0 : errno; }

int ReadAt(int fd, std::uint64_t offset, char* buffer, std::size_t size) {
  while (size > 0) {
    const ssize_t got = ::pread(fd, buffer, size, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return got < 0 ? errno : EIO;
    buffer += got;
    size -= static_cast<std::size_t>(got);
    offset += static_cast<std::uint64_t>(got);
  }
  return 0;
}

int CloseFile(int fd) { return ::close(fd) == 0 ? 0 : errno; }

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

void StartWriteback(int fd, std::uint64_t offset, std::uint64_t size) {
  ::sync_file_range(fd, static_cast<off_t>(offset), static_cast<off_t>(size), SYNC_FILE_RANGE_WRITE);
}

// The data and what reading it back needs (its size): all a replaced file needs.
int FlushToDisk(int fd) { return ::fdatasync(fd) == 0 ? 0 : errno; }

int MayWrite(const std::filesystem::path& path) { return ::access(path.c_str(), W_OK) == 0 ? 0 : errno; }

int CreateNewFile(const std::filesystem::path& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

int OpenUnnamedFile(const std::filesystem::path& folder) {
  // The name is given through /proc once the file is complete.
  if (::access("/proc/self/fd", X_OK) != 0) {
    errno = EOPNOTSUPP;
    return -1;
  }
  return OpenWithoutName(folder, 0666);
}

int NameUnnamedFile(int fd, const std::filesystem::path& name) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
}

int OpenNamelessFile(const std::filesystem::path& folder) {
  const int fd = OpenWithoutName(folder, 0600);
  if (fd >= 0 || errno != EOPNOTSUPP) return fd;
  std::string name = (folder / "zelvane-XXXXXX").string();
  const int named = ::mkostemp(name.data(), O_CLOEXEC);
  if (named >= 0) ::unlink(name.c_str());
  return named;
}

int SetPermissions(int fd, unsigned permissions) {
  if (::fchmod(fd, permissions) == 0) return 0;
  // Some file systems refuse any change of mode; there it is enough that the file has it already.
  const int error = errno;
  PathStatus created;
  return StatusOf(fd, created) == 0 && created.permissions == permissions ? 0 : error;
}

void KeepOwner(int fd, const PathStatus& replaced) {
  // A user who may not give the file away keeps the group at least, where it is one of theirs.
  if (::fchown(fd, replaced.owner, replaced.group) != 0) ::fchown(fd, static_cast<uid_t>(-1), replaced.group);
}

int RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int MoveNewFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  // A file system that cannot refuse to replace: to was missing a moment ago.
  if (errno == EINVAL || errno == ENOSYS) return RenameOver(from, to);
  return errno;
}

int ExchangeFiles(const std::filesystem::path& first, const std::filesystem::path& second) {
  if (::renameat2(AT_FDCWD, first.c_str(), AT_FDCWD, second.c_str(), RENAME_EXCHANGE) == 0) return 0;
  return errno == EINVAL || errno == ENOSYS ? EOPNOTSUPP : errno;
}

int RemoveFile(const std::filesystem::path& path) { return ::unlink(path.c_str()) == 0 ? 0 : errno; }

int TryLockFile(int fd) {
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return 0;
    if (errno != EINTR) return errno;
  }
}

}  // namespace zelvane
