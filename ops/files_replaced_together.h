#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/file_error.h"
#include "core/work_progress.h"
#include "ops/atomic_file_writer.h"
#include "ops/commit_journal.h"
#include "ops/made_folders.h"

namespace zelvane {

// Many files of a folder (and of folders in it, made when missing) written and then replaced together:
// every file is written beside its target and flushed to disk, then all replace their targets, or none
// does. A journal in the folder records the replacing, so that the next run into the folder finishes
// what a run killed midway (SIGKILL, a power cut) left, and removes its temporary files, before it
// does anything else. (Where the file system cannot make files without a name, a run killed before it
// started replacing leaves hidden temporary files that no journal names.)
//
// One rule for stopping: a stop that progress asks for at any moment before the last target is replaced
// leaves every target as it was (Commit returns CancelledError); after that it comes too late, and the
// files stay replaced.
class FilesReplacedTogether {
 public:
  // Files in flight (written, still going to disk) so that their flushes overlap: hundreds of files take
  // a flush each, and the disk serves many at once about as fast as one (a third of the time of 8 in
  // flight at 10M numbers by city; 64 gain nothing more).
  static constexpr std::size_t kFlushingFiles = 32;

  // Finishes what killed runs left in folder, first of all. Every writer advances progress by the bytes
  // it writes out.
  explicit FilesReplacedTogether(std::filesystem::path folder, WorkProgress* progress = nullptr);
  ~FilesReplacedTogether();  // unless committed, every temporary file and every folder made go
  FilesReplacedTogether(const FilesReplacedTogether&) = delete;
  FilesReplacedTogether& operator=(const FilesReplacedTogether&) = delete;

  // A new file that will replace name (relative to the folder), ready to be written.
  FileResult Add(const std::filesystem::path& name, AtomicFileWriter*& writer);
  // The file added last is written: it goes to disk while the next ones are written.
  FileResult EndFile();
  // Every file on disk, then all replace their targets, or none does; every temporary file is gone when
  // it returns. The first failure.
  FileResult Commit();

 private:
  bool Stopped() const;
  // Makes the journal, before the first temporary file gets a name.
  FileResult StartCommit();
  FileResult Finish(std::size_t file);
  // Every file on disk, then every target replaced, or put back.
  FileResult Replace();

  std::filesystem::path folder_;
  WorkProgress* progress_;
  MadeFolders folders_;
  CommitJournal journal_;
  std::vector<CommitEntry> entries_;  // by file, relative to the folder
  std::vector<std::unique_ptr<AtomicFileWriter>> writers_;
  std::size_t ended_ = 0;     // files whose writes were ended
  std::size_t finished_ = 0;  // files on disk
  bool started_ = false;      // the journal made
};

}  // namespace zelvane
