#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <climits>
#include <string>

#include "core/platform/files.h"

namespace zelvane {

namespace {

// The errno value nearest to a Windows error, so that messages read the same on both systems.
int ErrnoFrom(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: return ENOENT;
    case ERROR_ACCESS_DENIED: return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return EBUSY;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return ENOMEM;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_TOO_MANY_OPEN_FILES: return EMFILE;
    case ERROR_NOT_SAME_DEVICE: return EXDEV;
    case ERROR_DIRECTORY: return ENOTDIR;
    case ERROR_FILE_TOO_LARGE: return EFBIG;
    default: return EIO;
  }
}

int LastError() { return ErrnoFrom(GetLastError()); }

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

// A name beside the others in folder that no other file has now.
std::filesystem::path UniqueNameIn(const std::filesystem::path& folder, const wchar_t* stem) {
  static LONG counter = 0;
  const std::wstring name = std::wstring(stem) + std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(InterlockedIncrement(&counter));
  return folder / (name + L".tmp");
}

// Whether a rename may replace path: it is not marked read-only, and no program holds it open without
// letting others delete it ("in use", EBUSY).
int MayReplace(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastError();
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return EACCES;
  const HANDLE handle = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return LastError();
  CloseHandle(handle);
  return 0;
}

int Move(const std::filesystem::path& from, const std::filesystem::path& to, DWORD flags) {
  return MoveFileExW(from.c_str(), to.c_str(), flags | MOVEFILE_WRITE_THROUGH) ? 0 : LastError();
}

}  // namespace

int StatusOfPath(const std::filesystem::path& path, PathStatus& status) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return LastError();
  status.directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  status.regular = !status.directory && (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) == 0;
  status.readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  status.permissions = status.readOnly ? 0444 : 0666;
  status.size = status.regular ? (std::uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow) : 0;
  return 0;
}

int StatusOf(int fd, PathStatus& status) {
  const HANDLE handle = HandleOf(fd);
  if (handle == INVALID_HANDLE_VALUE) return EBADF;
  const DWORD type = GetFileType(handle);
  status = {};
  if (type != FILE_TYPE_DISK) return 0;  // a pipe or the console: a stream
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle, &info)) return LastError();
  status.directory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  status.regular = !status.directory;
  status.readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  status.permissions = status.readOnly ? 0444 : 0666;
  status.size = status.regular ? (std::uint64_t{info.nFileSizeHigh} << 32 | info.nFileSizeLow) : 0;
  return 0;
}

int OpenForReading(const std::filesystem::path& path) {
  // Shared with writers and deleters, as a POSIX reader would be.
  const HANDLE handle =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    errno = LastError();
    return -1;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
  if (fd < 0) CloseHandle(handle);
  return fd;
}

int StandardInput() {
  _setmode(0, _O_BINARY);
  return 0;
}

int StandardOutput() {
  _setmode(1, _O_BINARY);
  return 1;
}

std::int64_t ReadSome(int fd, char* buffer, std::size_t size) {
  const HANDLE handle = HandleOf(fd);
  DWORD got = 0;
  const DWORD wanted = size > (std::size_t{1} << 30) ? DWORD{1} << 30 : static_cast<DWORD>(size);
  if (ReadFile(handle, buffer, wanted, &got, nullptr)) return got;
  const DWORD error = GetLastError();
  if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) return 0;  // the writer is gone: the end
  if (error == ERROR_DIRECTORY || error == ERROR_INVALID_FUNCTION) {
    errno = EISDIR;
    return -1;
  }
  errno = ErrnoFrom(error);
  return -1;
}

int Rewind(int fd) { return _lseeki64(fd, 0, SEEK_SET) == 0 ? 0 : errno; }

int ReadAt(int fd, std::uint64_t offset, char* buffer, std::size_t size) {
  while (size > 0) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    const DWORD wanted = size > (std::size_t{1} << 30) ? DWORD{1} << 30 : static_cast<DWORD>(size);
    if (!ReadFile(HandleOf(fd), buffer, wanted, &got, &at)) return LastError();
    if (got == 0) return EIO;
    buffer += got;
    size -= got;
    offset += got;
  }
  return 0;
}

int CloseFile(int fd) { return _close(fd) == 0 ? 0 : errno; }

int WriteAll(int fd, std::string_view bytes, std::optional<std::uint64_t> offset) {
  const HANDLE handle = HandleOf(fd);
  while (!bytes.empty()) {
    OVERLAPPED at{};
    if (offset) {
      at.Offset = static_cast<DWORD>(*offset);
      at.OffsetHigh = static_cast<DWORD>(*offset >> 32);
    }
    DWORD written = 0;
    const DWORD wanted = bytes.size() > (std::size_t{1} << 30) ? DWORD{1} << 30 : static_cast<DWORD>(bytes.size());
    if (!WriteFile(handle, bytes.data(), wanted, &written, offset ? &at : nullptr)) return LastError();
    if (written == 0) return ENOSPC;
    bytes.remove_prefix(written);
    if (offset) *offset += written;
  }
  return 0;
}

void StartWriteback(int, std::uint64_t, std::uint64_t) {}

int FlushToDisk(int fd) { return FlushFileBuffers(HandleOf(fd)) ? 0 : LastError(); }

int MayWrite(const std::filesystem::path& path) { return _waccess(path.c_str(), 2) == 0 ? 0 : errno; }

int CreateNewFile(const std::filesystem::path& path) {
  const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    errno = LastError();
    return -1;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
  if (fd < 0) CloseHandle(handle);
  return fd;
}

int OpenUnnamedFile(const std::filesystem::path&) {
  errno = EOPNOTSUPP;  // Windows names every file; the writer takes a named one and removes it on failure
  return -1;
}

int NameUnnamedFile(int, const std::filesystem::path&) { return EOPNOTSUPP; }

int OpenNamelessFile(const std::filesystem::path& folder) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const HANDLE handle =
        CreateFileW(UniqueNameIn(folder, L"zelvane-").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      if (GetLastError() == ERROR_FILE_EXISTS) continue;
      errno = LastError();
      return -1;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
    if (fd < 0) CloseHandle(handle);
    return fd;
  }
  errno = EEXIST;
  return -1;
}

int SetPermissions(int, unsigned) { return 0; }

int RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  const int error = Move(from, to, MOVEFILE_REPLACE_EXISTING);
  // Windows denies access to a target in use; the message says that it is in use.
  if (error == EACCES && MayReplace(to) == EBUSY) return EBUSY;
  return error;
}

int MoveNewFile(const std::filesystem::path& from, const std::filesystem::path& to) { return Move(from, to, 0); }

// Swaps the names so that second is at every moment one of the two files: a hard link keeps second's
// file under a hidden name while first is renamed over second in one step, then takes first's name.
// A process killed midway leaves second whole (old or new) and at most that hidden name beside it.
int ExchangeFiles(const std::filesystem::path& first, const std::filesystem::path& second) {
  if (GetFileAttributesW(first.c_str()) == INVALID_FILE_ATTRIBUTES) return LastError();
  // A second name of a file that cannot be replaced could not be removed again either: refused first.
  if (const int error = MayReplace(second)) return error;
  const std::filesystem::path aside = UniqueNameIn(second.parent_path(), L".zelvane-swap-");
  if (!CreateHardLinkW(aside.c_str(), second.c_str(), nullptr)) {
    const DWORD error = GetLastError();
    // A file system without hard links (FAT): the caller replaces without a way back.
    return error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED ? EOPNOTSUPP : ErrnoFrom(error);
  }
  if (const int error = Move(first, second, MOVEFILE_REPLACE_EXISTING)) {
    RemoveFile(aside);
    return error;
  }
  if (const int error = Move(aside, first, 0)) {
    if (Move(second, first, 0) == 0) Move(aside, second, 0);
    return error;
  }
  return 0;
}

int RemoveFile(const std::filesystem::path& path) { return DeleteFileW(path.c_str()) ? 0 : LastError(); }

// A new file belongs to its maker, as every file Windows makes does.
void KeepOwner(int, const PathStatus&) {}

int TryLockFile(int fd) {
  OVERLAPPED whole{};
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole)) return 0;
  return GetLastError() == ERROR_LOCK_VIOLATION ? EWOULDBLOCK : LastError();
}

}  // namespace zelvane
