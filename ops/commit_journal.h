#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/file_error.h"

namespace zelvane {

// A file of a commit: its target and the temporary file that holds its new contents until the swap
// (and the old ones after it), both relative to the commit's folder, and the new file's identity, by
// which the target shows whether it was swapped.
struct CommitEntry {
  std::filesystem::path target;
  std::filesystem::path temporary;
  std::uint64_t identity = 0;
};

// The record of a commit of many files, kept in their folder (".zelvane-TOKEN.journal") while it runs and
// held by the running process, so that another run in the folder leaves it alone. The temporary files
// of the commit are named ".zelvane-TOKEN-N.tmp" beside their targets. Until Record the commit has
// replaced nothing, and what a killed run left is thrown away; after it, the next run finishes it.
class CommitJournal {
 public:
  CommitJournal() = default;
  ~CommitJournal() { End(); }
  CommitJournal(const CommitJournal&) = delete;
  CommitJournal& operator=(const CommitJournal&) = delete;

  // Chooses the commit's token for folder; nothing is written yet.
  void Begin(const std::filesystem::path& folder);
  // Creates the journal, before the first temporary file of the commit gets a name.
  FileResult Create();
  // The name of the commit's temporary file number n beside target (relative to the folder).
  std::filesystem::path TemporaryFor(const std::filesystem::path& target, std::size_t n) const;
  // Writes the entries and puts them on disk: from now on the commit is finished, whatever happens.
  FileResult Record(const std::vector<CommitEntry>& entries);
  // The commit was undone: what is left of it is thrown away.
  void Abandon();
  // Removes the journal, once the commit's temporary files are gone.
  void End();

 private:
  std::filesystem::path folder_;
  std::filesystem::path path_;
  std::string token_;
  int fd_ = -1;
};

// What runs killed in folder (SIGKILL, a power cut) left: each commit that was recorded is finished (or,
// when a target cannot be replaced, undone), and every temporary file of it removed, as are those of
// commits that were not recorded. Commits of runs still running are left alone.
void FinishLeftCommits(const std::filesystem::path& folder);

}  // namespace zelvane
