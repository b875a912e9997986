#include "core/number_file_reader.h"

#include <cerrno>
#include <memory>
#include <new>
#include <optional>
#include <utility>

#include "core/platform/files.h"
#include "core/platform/terminal.h"
#include "core/text_encoding.h"

namespace zelvane {

namespace {

constexpr std::size_t kPieceSize = 1 << 20;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

FileError NotRegularFile(const std::filesystem::path& path, const PathStatus& status) {
  if (status.directory) return MakeFileError(FileOperation::Read, path, EISDIR);
  return FileError{FileOperation::Read, path, "这不是一个普通文件"};
}

// Fills buffer as far as the file allows; returns the byte count, or -1 with errno set.
std::int64_t ReadFull(int fd, char* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const std::int64_t got = ReadSome(fd, buffer + done, size - done);
    if (got < 0) return -1;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return static_cast<std::int64_t>(done);
}

// The converter for a UTF-16 byte-order mark at the start, or nothing.
std::optional<Utf16Converter::ByteOrder> Utf16Order(std::string_view start) {
  if (start.starts_with(kUtf16LeMark)) return Utf16Converter::ByteOrder::LittleEndian;
  if (start.starts_with(kUtf16BeMark)) return Utf16Converter::ByteOrder::BigEndian;
  return std::nullopt;
}

FileResult ReadOpenFile(int fd, const std::filesystem::path& path, Utf16Converter::Target utf16Target,
                        const NumberFile::Sink& sink, WorkProgress* progress) {
  const std::unique_ptr<char[]> buffer = std::make_unique_for_overwrite<char[]>(kPieceSize);
  std::optional<Utf16Converter> utf16;
  std::string converted;
  for (bool first = true;; first = false) {
    const std::int64_t got = ReadFull(fd, buffer.get(), kPieceSize);
    if (got < 0) return MakeFileError(FileOperation::Read, path, errno);
    if (progress) {
      progress->Advance(static_cast<std::uint64_t>(got));
      if (progress->StopRequested()) return CancelledError(FileOperation::Read, path);
    }
    std::string_view piece(buffer.get(), static_cast<std::size_t>(got));
    if (first && piece.starts_with(kUtf8Mark)) {
      piece.remove_prefix(kUtf8Mark.size());
    } else if (const auto order = first ? Utf16Order(piece) : std::nullopt) {
      utf16.emplace(*order, utf16Target);
      piece.remove_prefix(kUtf16LeMark.size());
    }
    const bool last = static_cast<std::size_t>(got) < kPieceSize;
    if (utf16) {
      converted.clear();
      if (!utf16->Convert(piece, converted)) {
        return FileError{FileOperation::Read, path, "系统不支持 UTF-16 到 GBK 的转换"};
      }
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
    utf16Target_ = other.utf16Target_;
  }
  return *this;
}

void NumberFile::Close() {
  if (ownsFd_) CloseFile(fd_);
  fd_ = -1;
  ownsFd_ = false;
}

FileResult NumberFile::Open(const std::filesystem::path& path, InputKinds kinds) {
  Close();
  path_ = path;
  const bool streams = kinds == InputKinds::AnyStream && path == kStandardInput;
  if (streams) {
    if (StandardInputWasClosed()) return FileError{FileOperation::Read, path, "标准输入已关闭"};
    fd_ = StandardInput();
  } else {
    // Only regular files wanted: opened without waiting, so that a FIFO is refused at once.
    fd_ = OpenForReading(path);
    if (fd_ < 0) return MakeFileError(FileOperation::Read, path, errno);
    ownsFd_ = true;
  }
  PathStatus status;
  if (const int error = StatusOf(fd_, status)) return MakeFileError(FileOperation::Read, path, error);
  regular_ = status.regular;
  if (status.directory || (!regular_ && !streams)) return NotRegularFile(path, status);
  size_ = status.size;
  return std::nullopt;
}

FileResult NumberFile::Read(const Sink& sink, WorkProgress* progress) {
  if (fd_ < 0) return MakeFileError(FileOperation::Read, path_, EBADF);
  if (regular_) {
    if (const int error = Rewind(fd_)) return MakeFileError(FileOperation::Read, path_, error);
  }
  try {
    return ReadOpenFile(fd_, path_, utf16Target_, sink, progress);
  } catch (const std::bad_alloc&) {
    return OutOfMemoryError(path_);
  }
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
