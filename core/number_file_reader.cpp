#include "core/number_file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <new>
#include <optional>
#include <utility>

#include "core/text_encoding.h"

namespace zelvane {

namespace {

constexpr std::size_t kPieceSize = 1 << 20;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

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

// The converter for a UTF-16 byte-order mark at the start, or nothing.
std::optional<Utf16ToGbk::ByteOrder> Utf16Order(std::string_view start) {
  if (start.starts_with(kUtf16LeMark)) return Utf16ToGbk::ByteOrder::LittleEndian;
  if (start.starts_with(kUtf16BeMark)) return Utf16ToGbk::ByteOrder::BigEndian;
  return std::nullopt;
}

FileResult ReadOpenFile(int fd, const std::filesystem::path& path, const NumberFile::Sink& sink,
                        WorkProgress* progress) {
  const std::unique_ptr<char[]> buffer = std::make_unique_for_overwrite<char[]>(kPieceSize);
  std::optional<Utf16ToGbk> utf16;
  std::string converted;
  for (bool first = true;; first = false) {
    const ssize_t got = ReadFull(fd, buffer.get(), kPieceSize);
    if (got < 0) return MakeFileError(FileOperation::Read, path, errno);
    if (progress) {
      progress->Advance(static_cast<std::uint64_t>(got));
      if (progress->StopRequested()) return CancelledError(FileOperation::Read, path);
    }
    std::string_view piece(buffer.get(), static_cast<std::size_t>(got));
    if (first && piece.starts_with(kUtf8Mark)) {
      piece.remove_prefix(kUtf8Mark.size());
    } else if (const auto order = first ? Utf16Order(piece) : std::nullopt) {
      utf16.emplace(*order);
      if (!utf16->ok()) return FileError{FileOperation::Read, path, "系统不支持 UTF-16 到 GBK 的转换"};
      piece.remove_prefix(kUtf16LeMark.size());
    }
    const bool last = static_cast<std::size_t>(got) < kPieceSize;
    if (utf16) {
      converted.clear();
      utf16->Convert(piece, converted);
      if (last) utf16->Finish(converted);
      piece = converted;
    }
    if (!piece.empty()) sink(piece);
    if (last) return std::nullopt;
  }
}

}  // namespace

NumberFile::~NumberFile() { Close(); }

NumberFile::NumberFile(NumberFile&& other) noexcept { *this = std::move(other); }

NumberFile& NumberFile::operator=(NumberFile&& other) noexcept {
  if (this != &other) {
    Close();
    path_ = std::move(other.path_);
    fd_ = std::exchange(other.fd_, -1);
    ownsFd_ = std::exchange(other.ownsFd_, false);
    regular_ = other.regular_;
    size_ = other.size_;
  }
  return *this;
}

void NumberFile::Close() {
  if (ownsFd_) ::close(fd_);
  fd_ = -1;
  ownsFd_ = false;
}

FileResult NumberFile::Open(const std::filesystem::path& path, InputKinds kinds) {
  Close();
  path_ = path;
  const bool streams = kinds == InputKinds::AnyStream;
  if (streams && path == kStandardInput) {
    fd_ = STDIN_FILENO;
  } else {
    // Only regular files wanted: opened without waiting, so that a FIFO is refused at once.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | (streams ? 0 : O_NONBLOCK));
    if (fd_ < 0) return MakeFileError(FileOperation::Read, path, errno);
    ownsFd_ = true;
  }
  struct stat status {};
  if (::fstat(fd_, &status) != 0) return MakeFileError(FileOperation::Read, path, errno);
  regular_ = S_ISREG(status.st_mode);
  if (S_ISDIR(status.st_mode) || (!regular_ && !streams)) return NotRegularFile(path, status.st_mode);
  size_ = regular_ ? static_cast<std::uint64_t>(status.st_size) : 0;
  if (!streams) {
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0) {
      return MakeFileError(FileOperation::Read, path, errno);
    }
  }
  return std::nullopt;
}

FileResult NumberFile::Read(const Sink& sink, WorkProgress* progress) {
  if (fd_ < 0) return MakeFileError(FileOperation::Read, path_, EBADF);
  if (regular_ && ::lseek(fd_, 0, SEEK_SET) != 0) return MakeFileError(FileOperation::Read, path_, errno);
  try {
    return ReadOpenFile(fd_, path_, sink, progress);
  } catch (const std::bad_alloc&) {
    return OutOfMemoryError(path_);
  }
}

FileResult ReadNumberFile(const std::filesystem::path& path, const NumberFile::Sink& sink) {
  NumberFile file;
  if (FileResult error = file.Open(path)) return error;
  return file.Read(sink);
}

FileResult LoadNumberFile(NumberFile& file, std::string& text) {
  std::string loaded;
  try {
    loaded.reserve(file.Size());
  } catch (const std::exception&) {
    return OutOfMemoryError(file.path());
  }
  if (FileResult error = file.Read([&loaded](std::string_view piece) { loaded.append(piece); })) return error;
  text = std::move(loaded);
  return std::nullopt;
}

}  // namespace zelvane
