#include "core/number_file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "core/text_encoding.h"

namespace zelvane {

namespace {

constexpr std::size_t kPieceSize = 1 << 20;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

FileError NotRegularFile(const std::filesystem::path& path, mode_t mode) {
  if (S_ISDIR(mode)) return MakeFileError(FileOperation::Read, path, EISDIR);
  return FileError{FileOperation::Read, path, "这不是一个普通文件"};
}

// Fills buffer as far as the file allows; returns the byte count, or -1 with errno set.
ssize_t ReadFull(int fd, char* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = ::read(fd, buffer + done, size - done);
    if (got < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return static_cast<ssize_t>(done);
}

FileResult ReadOpenFile(int fd, const std::filesystem::path& path,
                        const std::function<void(std::string_view)>& sink) {
  std::vector<char> buffer(kPieceSize);
  std::optional<StreamingConverter> utf16;
  std::string converted;
  bool first = true;
  for (;;) {
    const ssize_t got = ReadFull(fd, buffer.data(), buffer.size());
    if (got < 0) return MakeFileError(FileOperation::Read, path, errno);
    std::string_view piece(buffer.data(), static_cast<std::size_t>(got));
    if (first) {
      first = false;
      if (piece.starts_with(kUtf8Mark)) {
        piece.remove_prefix(kUtf8Mark.size());
      } else if (piece.starts_with(kUtf16LeMark) || piece.starts_with(kUtf16BeMark)) {
        utf16.emplace(piece.starts_with(kUtf16LeMark) ? "UTF-16LE" : "UTF-16BE", "GBK//TRANSLIT");
        if (!utf16->ok()) return FileError{FileOperation::Read, path, "系统不支持 UTF-16 到 GBK 的转换"};
        piece.remove_prefix(kUtf16LeMark.size());
      }
    }
    const bool last = static_cast<std::size_t>(got) < buffer.size();
    if (utf16) {
      converted.clear();
      utf16->Convert(piece, converted);
      if (last) utf16->Finish(converted);
      if (!converted.empty()) sink(converted);
    } else if (!piece.empty()) {
      sink(piece);
    }
    if (last) return std::nullopt;
  }
}

}  // namespace

FileResult ReadNumberFile(const std::filesystem::path& path, const std::function<void(std::string_view)>& sink) {
  // Non-blocking, so that opening a FIFO cannot hang before it is refused.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) return MakeFileError(FileOperation::Read, path, errno);
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) return MakeFileError(FileOperation::Read, path, errno);
  if (!S_ISREG(status.st_mode)) return NotRegularFile(path, status.st_mode);
  ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);
  try {
    return ReadOpenFile(file.get(), path, sink);
  } catch (const std::bad_alloc&) {
    return OutOfMemoryError(path);
  }
}

FileResult LoadNumberFile(const std::filesystem::path& path, std::string& text) {
  std::string loaded;
  std::uint64_t size = 0;
  if (FileResult error = NumberFileSize(path, size)) return error;
  try {
    loaded.reserve(size);
  } catch (const std::exception&) {
    return OutOfMemoryError(path);
  }
  if (FileResult error = ReadNumberFile(path, [&loaded](std::string_view piece) { loaded.append(piece); })) {
    return error;
  }
  text = std::move(loaded);
  return std::nullopt;
}

FileResult NumberFileSize(const std::filesystem::path& path, std::uint64_t& size) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return MakeFileError(FileOperation::Read, path, errno);
  if (!S_ISREG(status.st_mode)) return NotRegularFile(path, status.st_mode);
  size = static_cast<std::uint64_t>(status.st_size);
  return std::nullopt;
}

}  // namespace zelvane
