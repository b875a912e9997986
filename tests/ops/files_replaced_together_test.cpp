// Files replaced together: all or none, whatever fails or stops them, and a commit that a killed run
// left is finished by the next run, with no temporary file left behind.

#include "ops/files_replaced_together.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <map>
#include <string>
#include <vector>

#include "core/platform/files.h"
#include "tests/support/scoped_speedups.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using test::FileNamesIn;
using test::ReadFile;
using test::TemporaryFolder;
using test::WriteFile;

const std::vector<std::string> kNames = {"a.txt", "b.txt", "sub/c.txt", "d.txt", "sub/e.txt"};

// Every file under folder (temporary ones and journals included) and its bytes.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files[entry.path().lexically_relative(folder).generic_string()] = ReadFile(entry);
  }
  return files;
}

std::map<std::string, std::string> Contents(const std::string& prefix, std::size_t count = kNames.size()) {
  std::map<std::string, std::string> files;
  for (std::size_t i = 0; i < count; ++i) files[kNames[i]] = prefix + " " + kNames[i];
  return files;
}

void WriteAll(const TemporaryFolder& folder, const std::map<std::string, std::string>& files) {
  for (const auto& [name, bytes] : files) {
    std::filesystem::create_directories((folder / name).parent_path());
    WriteFile(folder / name, bytes);
  }
}

FileResult WriteNew(const std::filesystem::path& folder, WorkProgress* progress = nullptr) {
  FilesReplacedTogether files(folder, progress);
  for (const std::string& name : kNames) {
    AtomicFileWriter* writer = nullptr;
    if (FileResult error = files.Add(name, writer)) return error;
    writer->Write("new " + name);
    if (FileResult error = files.EndFile()) return error;
  }
  return files.Commit();
}

TEST(FilesReplacedTogether, ReplacesEveryTargetAndLeavesNothingElse) {
  for (const std::size_t old : {std::size_t{0}, std::size_t{3}, kNames.size()}) {
    TemporaryFolder folder;
    WriteAll(folder, Contents("old", old));
    EXPECT_FALSE(WriteNew(folder.path()));
    EXPECT_EQ(Snapshot(folder.path()), Contents("new")) << old;
  }
}

// A stop before the files are written or while they are made changes nothing, folders included.
TEST(FilesReplacedTogether, StopChangesNothing) {
  TemporaryFolder folder;
  WriteAll(folder, Contents("old", 2));
  std::stop_source stop;
  WorkProgress progress(stop.get_token(), {});
  stop.request_stop();
  const FileResult error = WriteNew(folder.path(), &progress);
  EXPECT_TRUE(WasCancelled(error));
  EXPECT_EQ(Snapshot(folder.path()), Contents("old", 2));
  EXPECT_EQ(FileNamesIn(folder.path()), (std::vector<std::string>{"a.txt", "b.txt"}));
}

// All or nothing: when the last file cannot be written (here it grows past the file-size limit), the
// ones before it are not replaced either.
TEST(FilesReplacedTogether, ReplacesNoFileWhenOneFails) {
  for (const bool background : {true, false}) {
    TemporaryFolder folder;
    WriteAll(folder, Contents("old", 4));
    const auto writeOverTheLimit = [&folder, background] {
      std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG instead
      const rlimit size{64 * 1024, 64 * 1024};
      if (::setrlimit(RLIMIT_FSIZE, &size) != 0) std::_Exit(2);
      const ScopedSpeedups speedups({.backgroundWrites = background});
      // Not destroyed: what the commit leaves is its own to clean up.
      auto& files = *new FilesReplacedTogether(folder.path());
      std::vector<AtomicFileWriter*> writers(kNames.size());
      for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (files.Add(kNames[i], writers[i])) std::_Exit(4);
      }
      for (AtomicFileWriter* writer : writers) writer->Write("13912345678");
      for (int i = 0; i < 20000; ++i) writers.back()->Write("95588\r\n");
      const FileResult error = files.Commit();
      const bool right = error && error->Message() == "无法写入文件“" + (folder / "sub/e.txt").string() + "”：文件太大";
      std::_Exit(right ? 0 : 1);
    };
    EXPECT_EXIT(writeOverTheLimit(), testing::ExitedWithCode(0), "") << "background " << background;
    EXPECT_EQ(Snapshot(folder.path()), Contents("old", 4));
  }
}

// A target that cannot be replaced after others were (a mount point: renaming onto it fails with
// EBUSY) puts the replaced ones back, old or absent as they were.
TEST(FilesReplacedTogether, PutsBackWhatItReplacedWhenARenameFails) {
  TemporaryFolder folder;
  std::map<std::string, std::string> old = Contents("old");
  old.erase("b.txt");  // absent before: absent after
  WriteAll(folder, old);
  WriteFile(folder / "cover", "mounted");
  if (::mount((folder / "cover").c_str(), (folder / "d.txt").c_str(), nullptr, MS_BIND, nullptr) != 0) {
    GTEST_SKIP() << "cannot bind-mount here";
  }
  const FileResult error = WriteNew(folder.path());
  ::umount((folder / "d.txt").c_str());
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Message(), "无法写入文件“" + (folder / "d.txt").string() + "”：文件正被占用");
  std::filesystem::remove(folder / "cover");
  EXPECT_EQ(Snapshot(folder.path()), old);
}

// A run killed after `swapped` of the targets were replaced (SIGKILL, a power cut; -1: before the
// journal recorded the commit): the next run into the folder finishes the commit, or, unrecorded, only
// removes what it left.
TEST(FilesReplacedTogether, NextRunFinishesWhatAKilledRunLeft) {
  for (int swapped = -1; swapped <= static_cast<int>(kNames.size()); ++swapped) {
    SCOPED_TRACE(swapped);
    TemporaryFolder folder;
    WriteAll(folder, Contents("old", 3));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      CommitJournal journal;
      journal.Begin(folder.path());
      if (journal.Create()) std::_Exit(2);
      std::vector<CommitEntry> entries;
      for (std::size_t i = 0; i < kNames.size(); ++i) {
        const CommitEntry entry{kNames[i], journal.TemporaryFor(kNames[i], i), 0};
        std::filesystem::create_directories((folder / kNames[i]).parent_path());
        WriteFile(folder.path() / entry.temporary, "new " + kNames[i]);
        PathStatus status;
        StatusOfPath(folder.path() / entry.temporary, status);
        entries.push_back({entry.target, entry.temporary, status.identity});
      }
      if (swapped >= 0 && journal.Record(entries)) std::_Exit(3);
      for (int i = 0; i < swapped; ++i) {
        const std::filesystem::path target = folder.path() / entries[i].target;
        const std::filesystem::path temporary = folder.path() / entries[i].temporary;
        if (std::filesystem::exists(target) ? ExchangeFiles(temporary, target) : MoveNewFile(temporary, target)) {
          std::_Exit(4);
        }
      }
      std::_Exit(0);  // killed: nothing is cleaned up
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    FinishLeftCommits(folder.path());
    EXPECT_EQ(Snapshot(folder.path()), swapped >= 0 ? Contents("new") : Contents("old", 3));
  }
}

// A journal that records nothing readable (torn by a power cut) is taken for one not recorded: its
// temporary files go, every target stays, and nothing else is touched.
TEST(FilesReplacedTogether, NextRunThrowsAwayAJournalItCannotRead) {
  const std::string token = ".zelvane-0123456789abcdef";
  const std::string journals[] = {"", "zelvane commit 1\n", "zelvane commit 1\na.txt\0" + token + "-0.tmp\0x1\nend\n",
                                  "zelvane commit 1\na.txt\0" + token + "-0.tmp\nend\n", std::string(64, '\0')};
  for (const std::string& journal : journals) {
    TemporaryFolder folder;
    WriteAll(folder, Contents("old", 3));
    WriteFile(folder / (token + ".journal"), journal);
    WriteFile(folder / (token + "-0.tmp"), "new a.txt");
    WriteFile(folder / "sub" / (token + "-2.tmp"), "new sub/c.txt");
    WriteFile(folder / ".zelvane-fedcba9876543210-0.tmp", "another run's");
    FinishLeftCommits(folder.path());
    std::map<std::string, std::string> expected = Contents("old", 3);
    expected[".zelvane-fedcba9876543210-0.tmp"] = "another run's";
    EXPECT_EQ(Snapshot(folder.path()), expected) << journal;
  }
}

// The commit of a run still running is its own: another run into the folder leaves it alone.
TEST(FilesReplacedTogether, LeavesTheCommitOfARunningRunAlone) {
  TemporaryFolder folder;
  FilesReplacedTogether running(folder.path());
  AtomicFileWriter* writer = nullptr;
  ASSERT_FALSE(running.Add("a.txt", writer));
  writer->Write("new a.txt");
  ASSERT_FALSE(running.EndFile());
  EXPECT_FALSE(WriteNew(folder.path()));  // finishes the left commits first
  EXPECT_FALSE(running.Commit());
  EXPECT_EQ(Snapshot(folder.path()), Contents("new"));
}

}  // namespace
}  // namespace zelvane
