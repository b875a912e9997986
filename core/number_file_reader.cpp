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
  FileDescriptor() = default;
  ~FileDescriptor() { reset(-1); }
  void reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_ = -1;
};

// The charset named by a UTF-16 byte-order mark at the start, or nothing.
const char* Utf16Charset(std::string_view start) {
  if (start.starts_with(kUtf16LeMark)) return "UTF-16LE";
  if (start.starts_with(kUtf16BeMark)) return "UTF-16BE";
  return nullptr;
}

FileError Utf16Unsupported(const std::filesystem::path& path) {
  return FileError{FileOperation::Read, path, "系统不支持 UTF-16 到 GBK 的转换"};
}

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

FileResult ReadOpenFile(int fd, const std::filesystem::path& path, const std::function<void(std::string_view)>& sink) {
  std::unique_ptr<char[]> buffer = std::make_unique_for_overwrite<char[]>(kPieceSize);
  std::optional<StreamingConverter> utf16;
  std::string converted;
  bool first = true;
  for (;;) {
    const ssize_t got = ReadFull(fd, buffer.get(), kPieceSize);
    if (got < 0) return MakeFileError(FileOperation::Read, path, errno);
    std::string_view piece(buffer.get(), static_cast<std::size_t>(got));
    if (first) {
      first = false;
      if (piece.starts_with(kUtf8Mark)) {
        piece.remove_prefix(kUtf8Mark.size());
      } else if (const char* charset = Utf16Charset(piece)) {
        utf16.emplace(charset, "GBK//TRANSLIT");
        if (!utf16->ok()) return Utf16Unsupported(path);
        piece.remove_prefix(kUtf16LeMark.size());
      }
    }
    const bool last = static_cast<std::size_t>(got) < kPieceSize;
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

// Opens a regular file for reading. Non-blocking at first, so that a FIFO cannot hang the open
// before it is refused.
FileResult OpenNumberFile(const std::filesystem::path& path, FileDescriptor& file, std::uint64_t& size) {
  file.reset(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) return MakeFileError(FileOperation::Read, path, errno);
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) return MakeFileError(FileOperation::Read, path, errno);
  if (!S_ISREG(status.st_mode)) return NotRegularFile(path, status.st_mode);
  ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);
  size = static_cast<std::uint64_t>(status.st_size);
  return std::nullopt;
}

}  // namespace

FileResult ReadNumberFile(const std::filesystem::path& path, const std::function<void(std::string_view)>& sink) {
  FileDescriptor file;
  std::uint64_t size = 0;
  if (FileResult error = OpenNumberFile(path, file, size)) return error;
  try {
    return ReadOpenFile(file.get(), path, sink);
  } catch (const std::bad_alloc&) {
    return OutOfMemoryError(path);
  }
}

FileResult LoadNumberFile(const std::filesystem::path& path, std::string& text) {
  FileDescriptor file;
  std::uint64_t size = 0;
  if (FileResult error = OpenNumberFile(path, file, size)) return error;
  std::string loaded;
  try {
    // Straight into the text, one byte more than the size so that a grown file is noticed.
    loaded.resize(size + 1);
    std::size_t done = 0;
    for (;;) {
      const ssize_t got = ReadFull(file.get(), loaded.data() + done, loaded.size() - done);
      if (got < 0) return MakeFileError(FileOperation::Read, path, errno);
      done += static_cast<std::size_t>(got);
      if (done < loaded.size()) break;
      loaded.resize(loaded.size() + kPieceSize);
    }
    loaded.resize(done);
    if (loaded.starts_with(kUtf8Mark)) {
      loaded.erase(0, kUtf8Mark.size());
    } else if (const char* charset = Utf16Charset(loaded)) {
      StreamingConverter converter(charset, "GBK//TRANSLIT");
      if (!converter.ok()) return Utf16Unsupported(path);
      std::string converted;
      converter.Convert(std::string_view(loaded).substr(kUtf16LeMark.size()), converted);
      converter.Finish(converted);
      loaded = std::move(converted);
    }
  } catch (const std::bad_alloc&) {
    return OutOfMemoryError(path);
  } catch (const std::length_error&) {
    return OutOfMemoryError(path);
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
