#include "ops/atomic_file_writer.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <new>
#include <random>
#include <string>
#include <system_error>
#include <utility>

#include "core/platform/files.h"
#include "core/speedup_switches.h"

namespace zelvane {

namespace {

// Where the new file is made: the target's folder.
std::filesystem::path FolderOf(const std::filesystem::path& target) {
  return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

// ".zelvane-SEED-N.tmp": hidden beside the target, and short, so that it fits wherever the target's name
// fits; a name taken by another process is tried again.
std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
  static const unsigned seed = std::random_device{}();
  char name[64];
  std::snprintf(name, sizeof name, ".zelvane-%08x-%u.tmp", seed, counter.fetch_add(1));
  return FolderOf(target) / name;
}

}  // namespace

FileResult AtomicFileWriter::CreateUnnamed() {
  fd_ = OpenUnnamedFile(FolderOf(target_));
  if (fd_ >= 0) return std::nullopt;
  // A file system without files that have no name: a named one, removed again when the writer gives up.
  if (errno == EOPNOTSUPP) return std::nullopt;
  return Fail(errno);
}

FileResult AtomicFileWriter::NameUnnamed() {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary_ = TemporaryName();
    const int error = NameUnnamedFile(fd_, temporary_);
    if (error == 0) return std::nullopt;
    temporary_.clear();
    if (error != EEXIST || !chosenTemporary_.empty()) return Fail(error);
  }
  return Fail(EEXIST);
}

AtomicFileWriter::AtomicFileWriter(const std::filesystem::path& target, std::filesystem::path temporary)
    : target_(target), chosenTemporary_(std::move(temporary)) {}

std::filesystem::path AtomicFileWriter::TemporaryName() const {
  return chosenTemporary_.empty() ? TemporaryNameBeside(target_) : chosenTemporary_;
}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

FileResult AtomicFileWriter::Open() {
  PathStatus existing;
  std::error_code linkError;
  // A link is replaced as a new file: what it points to lends it nothing.
  const bool exists = !std::filesystem::is_symlink(target_, linkError) && StatusOfPath(target_, existing) == 0;
  if (exists) {
    if (existing.directory) return Fail(EISDIR);
    if (!existing.regular) return FileError{FileOperation::Write, target_, "这不是一个普通文件"};
    // A file marked read-only stays untouched, even for a user whom the system would let write.
    if (existing.readOnly) return Fail(EACCES);
    if (const int error = MayWrite(target_)) return Fail(error);
  }
  if (FileResult error = CreateUnnamed()) return error;
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temporary_ = TemporaryName();
    fd_ = CreateNewFile(temporary_);
    if (fd_ < 0 && (errno != EEXIST || !chosenTemporary_.empty())) break;
  }
  if (fd_ < 0) {
    const int error = errno;
    temporary_.clear();
    return Fail(error);
  }
  // The new file keeps the old one's permissions, but never runs as its owner or group: new contents
  // are not what whoever set those bits trusted.
  if (exists) {
    KeepOwner(fd_, existing);
    if (const int error = SetPermissions(fd_, existing.permissions & ~06000U)) return Fail(error);
  }
  try {
    writeback_ = std::make_unique<FileWriteback>(fd_, Speedups().backgroundWrites);
  } catch (const std::bad_alloc&) {
    return Fail(ENOMEM);
  }
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
  if (const int error = CloseFile(fd)) return Fail(error);
  finished_ = true;
  return std::nullopt;
}

FileResult AtomicFileWriter::Publish() {
  if (!finished_) return Fail(EBADF);
  if (StopRequested()) return Cancel();
  if (const int error = RenameOver(temporary_, target_)) return Fail(error);
  temporary_.clear();
  finished_ = false;
  return std::nullopt;
}

FileResult AtomicFileWriter::PublishUndoably() {
  if (!finished_) return Fail(EBADF);
  if (StopRequested()) return Cancel();
  finished_ = false;
  int error = ExchangeFiles(temporary_, target_);
  if (error == 0) {
    undo_ = Undo::SwapBack;  // the old file now has the temporary name
    return std::nullopt;
  }
  if (error == ENOENT) {
    error = MoveNewFile(temporary_, target_);
    if (error == 0) {
      temporary_.clear();
      undo_ = Undo::Remove;
      return std::nullopt;
    }
  }
  if (error != EOPNOTSUPP) return Fail(error);
  finished_ = true;
  return Publish();
}

bool AtomicFileWriter::Unpublish() {
  const Undo undo = std::exchange(undo_, Undo::Nothing);
  if (undo == Undo::Remove) return RemoveFile(target_) == 0;
  if (undo == Undo::Nothing) return false;
  if (ExchangeFiles(temporary_, target_) != 0) {
    temporary_.clear();  // the new file stays, and so does the old one beside it
    return false;
  }
  Discard();  // the new file, under the temporary name now
  return true;
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
  if (fd_ >= 0) CloseFile(fd_);
  fd_ = -1;
  if (!temporary_.empty()) RemoveFile(temporary_);
  temporary_.clear();
  finished_ = false;
  undo_ = Undo::Nothing;
}

}  // namespace zelvane
