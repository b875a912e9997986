#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace zelvane {

// Files by descriptor, alike on every system: POSIX descriptors, or on Windows the C runtime's over
// the system's handles, always in binary. Functions that can fail return 0 or an errno value (a
// Windows error as the nearest one); descriptors are -1 with errno set.

struct PathStatus {
  bool directory = false;
  bool regular = false;
  bool readOnly = false;  // marked read-only: no write permission for anyone
  unsigned permissions = 0;
  std::uint64_t size = 0;
  std::uint64_t identity = 0;  // the file's own number in its file system (POSIX: inode); 0 where unknown
  unsigned owner = 0;          // user and group, where the system has them
  unsigned group = 0;
};

// What path names, links followed; ENOENT when nothing is there.
int StatusOfPath(const std::filesystem::path& path, PathStatus& status);
int StatusOf(int fd, PathStatus& status);

// Opens a file for reading; a FIFO without waiting for a writer (it is refused).
int OpenForReading(const std::filesystem::path& path);
// Standard input and output, in binary.
int StandardInput();
int StandardOutput();
// Reads up to size bytes: the count, 0 at the end, -1 with errno set.
std::int64_t ReadSome(int fd, char* buffer, std::size_t size);
int Rewind(int fd);
int ReadAt(int fd, std::uint64_t offset, char* buffer, std::size_t size);
int CloseFile(int fd);

// Writes all of bytes (at offset, when there is one), going on after signals. A write that takes
// nothing counts as a full disk (ENOSPC), so that no writer waits for it forever.
int WriteAll(int fd, std::string_view bytes, std::optional<std::uint64_t> offset = std::nullopt);
// Starts writing [offset, offset + size) to disk without waiting, where the system can.
void StartWriteback(int fd, std::uint64_t offset, std::uint64_t size);
// Waits until what was written is on disk.
int FlushToDisk(int fd);

// Whether this user may write to an existing file.
int MayWrite(const std::filesystem::path& path);
// A new file at path, for writing; EEXIST when one is there.
int CreateNewFile(const std::filesystem::path& path);
// A file without a name in folder, for writing, that NameUnnamedFile names once it is complete:
// -1 with EOPNOTSUPP where the system cannot make one.
int OpenUnnamedFile(const std::filesystem::path& folder);
int NameUnnamedFile(int fd, const std::filesystem::path& name);
// A file in folder for reading and writing that is gone when closed, and never has a name that a
// program stopped midway would leave behind.
int OpenNamelessFile(const std::filesystem::path& folder);
// Gives an open file the permissions of the file it will replace, where the system has them.
int SetPermissions(int fd, unsigned permissions);
// Gives an open file the owner and group of the file it will replace, as far as this user may.
void KeepOwner(int fd, const PathStatus& replaced);

// Renames from over to, on disk when it returns.
int RenameOver(const std::filesystem::path& from, const std::filesystem::path& to);
// Renames from to to, which must not exist (EEXIST).
int MoveNewFile(const std::filesystem::path& from, const std::filesystem::path& to);
// Swaps the two files' names: ENOENT when either is missing, EOPNOTSUPP where the system cannot.
int ExchangeFiles(const std::filesystem::path& first, const std::filesystem::path& second);
int RemoveFile(const std::filesystem::path& path);

// Takes the whole file for this process until it is closed; EWOULDBLOCK while another process has it.
int TryLockFile(int fd);

}  // namespace zelvane
