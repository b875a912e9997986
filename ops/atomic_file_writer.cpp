#include "ops/atomic_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <random>
#include <string>

#include "core/speedup_switches.h"

namespace zelvane {

namespace {

std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
  static const unsigned seed = std::random_device{}();
  std::string name(1, '.');
  name += target.filename().string();
  for (const unsigned long part : {static_cast<unsigned long>(::getpid()), static_cast<unsigned long>(seed),
                                   static_cast<unsigned long>(counter.fetch_add(1))}) {
    name += '-';
    name += std::to_string(part);
  }
  name += ".tmp";
  return target.parent_path() / name;
}

// Follows a symbolic link, so that the file it points to is replaced, not the link.
std::filesystem::path ResolveTarget(const std::filesystem::path& target) {
  std::error_code error;
  if (std::filesystem::is_symlink(target, error)) {
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(target, error);
    if (!error) return resolved;
  }
  return target;
}

// Where the new file is made: the target's folder.
std::filesystem::path FolderOf(const std::filesystem::path& target) {
  return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

}  // namespace

FileResult AtomicFileWriter::CreateUnnamed() {
  // The name is given through /proc once the file is complete; without /proc the file is named from the start.
  if (::access("/proc/self/fd", X_OK) != 0) return std::nullopt;
  fd_ = ::open(FolderOf(target_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd_ >= 0) return std::nullopt;
  // A file system without files that have no name: a named one, removed again when the writer gives up.
  if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) return std::nullopt;
  return Fail(errno);
}

FileResult AtomicFileWriter::NameUnnamed() {
  const std::string self = "/proc/self/fd/" + std::to_string(fd_);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary_ = TemporaryNameBeside(target_);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary_.c_str(), AT_SYMLINK_FOLLOW) == 0) return std::nullopt;
    const int error = errno;
    temporary_.clear();
    if (error != EEXIST) return Fail(error);
  }
  return Fail(EEXIST);
}

AtomicFileWriter::AtomicFileWriter(const std::filesystem::path& target) : target_(ResolveTarget(target)) {}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

FileResult AtomicFileWriter::Open() {
  struct stat existing {};
  const bool exists = ::stat(target_.c_str(), &existing) == 0;
  if (exists) {
    if (S_ISDIR(existing.st_mode)) return Fail(EISDIR);
    if (!S_ISREG(existing.st_mode)) return FileError{FileOperation::Write, target_, "这不是一个普通文件"};
    // A file marked read-only stays untouched, even for a user whom the system would let write.
    if ((existing.st_mode & 0222) == 0) return Fail(EACCES);
    if (::access(target_.c_str(), W_OK) != 0) return Fail(errno);
  }
  if (FileResult error = CreateUnnamed()) return error;
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temporary_ = TemporaryNameBeside(target_);
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    const int error = errno;
    temporary_.clear();
    return Fail(error);
  }
  // The new file keeps the old one's permissions. Some file systems refuse any change of mode; there
  // it is enough that the new file has the old one's mode already.
  if (exists && ::fchmod(fd_, existing.st_mode & 07777) != 0) {
    const int error = errno;
    struct stat created {};
    if (::fstat(fd_, &created) != 0 || (created.st_mode & 07777) != (existing.st_mode & 07777)) return Fail(error);
  }
  writeback_ = std::make_unique<FileWriteback>(fd_, Speedups().backgroundWrites);
  buffer_ = writeback_->FreeBuffer();
  used_ = 0;
  return std::nullopt;
}

void AtomicFileWriter::WriteSpilling(std::string_view bytes) {
  for (;;) {
    const std::size_t part = std::min(bytes.size(), kBufferSize - used_);
    std::memcpy(buffer_ + used_, bytes.data(), part);
    used_ += part;
    bytes.remove_prefix(part);
    if (bytes.empty()) return;
    SubmitBuffer();
  }
}

void AtomicFileWriter::SubmitBuffer() {
  // Once stopped the same buffer takes the rest, which Finish throws away.
  if (!StopRequested()) {
    if (progress_) progress_->Advance(used_);
    writeback_->Submit(buffer_, used_);
    buffer_ = writeback_->FreeBuffer();
  }
  used_ = 0;
}

void AtomicFileWriter::EndWrites() {
  if (!writeback_ || buffer_ == nullptr) return;
  if (progress_) progress_->Advance(used_);
  writeback_->Submit(buffer_, used_);
  writeback_->EndInput();
  buffer_ = nullptr;
  used_ = 0;
}

FileResult AtomicFileWriter::Finish() {
  if (fd_ < 0) return Fail(EBADF);
  if (StopRequested()) return Cancel();
  EndWrites();
  const int writeError = writeback_->Finish();  // written and flushed to disk, or why not
  writeback_.reset();
  if (writeError != 0) return Fail(writeError);
  if (temporary_.empty()) {
    if (FileResult error = NameUnnamed()) return error;
  }
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return Fail(errno);
  finished_ = true;
  return std::nullopt;
}

FileResult AtomicFileWriter::Publish() {
  if (!finished_) return Fail(EBADF);
  if (StopRequested()) return Cancel();
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) return Fail(errno);
  temporary_.clear();
  finished_ = false;
  return std::nullopt;
}

FileResult AtomicFileWriter::Commit() {
  if (FileResult error = Finish()) return error;
  return Publish();
}

FileResult AtomicFileWriter::Cancel() {
  Discard();
  return CancelledError(FileOperation::Write, target_);
}

FileResult AtomicFileWriter::Fail(int errorNumber) {
  Discard();
  return MakeFileError(FileOperation::Write, target_, errorNumber);
}

void AtomicFileWriter::Discard() {
  writeback_.reset();  // its thread ends before the file is closed
  buffer_ = nullptr;
  used_ = 0;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
  finished_ = false;
}

}  // namespace zelvane
