#include "ops/zip_archive.h"

#include <minizip/unzip.h>

#include <cerrno>
#include <cstring>

#include "core/platform/files.h"
#include "ops/overlapped_pieces.h"

namespace zelvane {

namespace {

constexpr std::size_t kPieceSize = 256 << 10;
constexpr uLong kEncryptedFlag = 1;
constexpr std::size_t kWindowSize = 64 << 10;
// Smaller parts inflate in turn with their parsing: a second thread would only wait for the first.
constexpr std::uint64_t kOverlapFrom = 4 * kPieceSize;

}  // namespace

// minizip's file functions over the archive's open file: opaque is the archive.
struct ZipFileFunctions {
  static ZipArchive& Of(voidpf opaque) { return *static_cast<ZipArchive*>(opaque); }

  static voidpf Open(voidpf opaque, const void*, int) { return opaque; }

  // minizip reads the directory a few bytes at a time: they come from a window of the file read whole.
  static uLong Read(voidpf opaque, voidpf, void* buffer, uLong size) {
    ZipArchive& archive = Of(opaque);
    const std::uint64_t left = archive.size_ > archive.position_ ? archive.size_ - archive.position_ : 0;
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(size, left));
    auto* out = static_cast<char*>(buffer);
    if (count >= kWindowSize) {
      if (ReadAt(archive.fd_, archive.position_, out, count) != 0) return 0;
    } else if (count > 0) {
      if (archive.position_ < archive.windowStart_ ||
          archive.position_ + count > archive.windowStart_ + archive.windowLength_) {
        const auto length = static_cast<std::size_t>(std::min<std::uint64_t>(kWindowSize, left));
        if (ReadAt(archive.fd_, archive.position_, archive.window_.get(), length) != 0) return 0;
        archive.windowStart_ = archive.position_;
        archive.windowLength_ = length;
      }
      std::memcpy(out, archive.window_.get() + (archive.position_ - archive.windowStart_), count);
    }
    archive.position_ += count;
    return static_cast<uLong>(count);
  }

  static uLong Write(voidpf, voidpf, const void*, uLong) { return 0; }

  static ZPOS64_T Tell(voidpf opaque, voidpf) { return Of(opaque).position_; }

  static long Seek(voidpf opaque, voidpf, ZPOS64_T offset, int origin) {
    ZipArchive& archive = Of(opaque);
    std::uint64_t base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) base = archive.position_;
    if (origin == ZLIB_FILEFUNC_SEEK_END) base = archive.size_;
    archive.position_ = base + offset;
    return 0;
  }

  static int Close(voidpf, voidpf) { return 0; }
  static int Error(voidpf, voidpf) { return 0; }
};

ZipArchive::~ZipArchive() {
  if (zip_) unzClose(static_cast<unzFile>(zip_));
  if (fd_ >= 0) CloseFile(fd_);
}

FileError ZipArchive::Damaged(const std::string& detail) const {
  return FileError{FileOperation::Read, path_, "文件已损坏或不完整，不是完好的 Excel 工作簿（" + detail + "）"};
}

FileResult ZipArchive::Open(const std::filesystem::path& path) {
  path_ = path;
  fd_ = OpenForReading(path);
  if (fd_ < 0) return MakeFileError(FileOperation::Read, path, errno);
  PathStatus status;
  if (const int error = StatusOf(fd_, status)) return MakeFileError(FileOperation::Read, path, error);
  if (!status.regular) return FileError{FileOperation::Read, path, "这不是一个普通文件"};
  size_ = status.size;
  window_ = std::make_unique_for_overwrite<char[]>(kWindowSize);
  zlib_filefunc64_def functions{
      &ZipFileFunctions::Open, &ZipFileFunctions::Read,  &ZipFileFunctions::Write, &ZipFileFunctions::Tell,
      &ZipFileFunctions::Seek, &ZipFileFunctions::Close, &ZipFileFunctions::Error, this};
  zip_ = unzOpen2_64("", &functions);
  if (!zip_) return Damaged("找不到 zip 目录");
  return std::nullopt;
}

bool ZipArchive::Has(const std::string& name) {
  return unzLocateFile(static_cast<unzFile>(zip_), name.c_str(), 2) == UNZ_OK;
}

FileResult ZipArchive::Read(const std::string& name, const Sink& sink,
                            const std::function<void(std::uint64_t, std::uint64_t)>& progress) {
  const auto zip = static_cast<unzFile>(zip_);
  if (!Has(name)) return Damaged("缺少 " + name);
  unz_file_info64 info{};
  if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
    return Damaged(name + " 的目录项无法读取");
  }
  if (info.flag & kEncryptedFlag) {
    return FileError{FileOperation::Read, path_, "工作簿中的 " + name + " 已加密，无法读取"};
  }
  if (info.compression_method != 0 && info.compression_method != Z_DEFLATED) {
    return Damaged(name + " 的压缩方式不受支持");
  }
  const std::uint64_t allowed = kMaxInflation * size_ + (std::uint64_t{1} << 20);
  const auto bomb = [this] {
    return FileError{
        FileOperation::Read, path_,
        "工作簿解压后远大于文件本身（超过" + std::to_string(kMaxInflation) + "倍），可能是“压缩炸弹”，拒绝读取"};
  };
  if (info.uncompressed_size > allowed - inflated_) return bomb();
  if (unzOpenCurrentFile(zip) != UNZ_OK) return Damaged(name + " 无法解压");
  std::uint64_t done = 0;
  bool tooLarge = false;
  int got = 0;
  try {
    // Inflating takes a sixth of the work, parsing the rest: the next piece inflates while one is parsed.
    got = OverlapPieces(
        kPieceSize,
        [zip](char* buffer, std::size_t size) { return unzReadCurrentFile(zip, buffer, static_cast<unsigned>(size)); },
        [&](std::string_view piece) {
          inflated_ += piece.size();
          tooLarge = inflated_ > allowed;
          if (tooLarge) return false;
          done += piece.size();
          sink(piece);
          if (progress) progress(done, info.uncompressed_size);
          return true;
        },
        info.uncompressed_size > kOverlapFrom);
  } catch (...) {
    unzCloseCurrentFile(zip);
    throw;
  }
  if (tooLarge) {
    unzCloseCurrentFile(zip);
    return bomb();
  }
  const int closed = unzCloseCurrentFile(zip);
  if (got < 0 || closed != UNZ_OK || done != info.uncompressed_size) return Damaged(name + " 无法完整解压");
  return std::nullopt;
}

}  // namespace zelvane
