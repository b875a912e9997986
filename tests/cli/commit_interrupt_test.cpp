// Interrupts at random moments of a commit of over a thousand files (classify --by city,carrier with a
// table of our own): Ctrl+C, SIGTERM and SIGHUP leave every target all old (the process ends by the
// signal) or all new (it exits 0); after SIGKILL the next run into the folder finishes or undoes what
// was left. Either way no temporary file or journal of ours is left.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

// Hundreds of trials across runs. A busy machine skews where the moments fall (once 3 of 30 ended all new
// under AddressSanitizer, whose runs take several times as long), so each end need only be reached a few
// times: the property is that no trial ends anywhere between.
#ifdef __SANITIZE_ADDRESS__
constexpr int kTrials = 30;
constexpr int kEachEndMoreThan = 1;
#else
constexpr int kTrials = 150;
constexpr int kEachEndMoreThan = 3;
#endif

using test::ReadFile;
using test::TemporaryFolder;
using test::WriteFile;

constexpr int kAreas = 340;  // by three carriers: 1,020 files
// Where the files go: memory when the system has a shared-memory file system (no waits for a disk, so
// that hundreds of commits fit in the test's time), else the temporary folder.
std::filesystem::path FastFolder() {
  std::error_code error;
  return std::filesystem::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0
             ? std::filesystem::path("/dev/shm")
             : std::filesystem::temp_directory_path();
}

// Its own fresh folder under FastFolder, removed with everything in it.
class Scene {
 public:
  Scene() : root_(FastFolder() / ("zelvane-interrupt-" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "out");
    std::string table;
    std::string numbers;
    for (int area = 0; area < kAreas; ++area) {
      const std::string block = std::to_string(1000 + area);
      for (const std::string carrier : {"139", "130", "133"}) {  // 移动, 联通, 电信
        table += carrier + block + " 省" + std::to_string(area % 31) + " 市" + std::to_string(area) + "\n";
        for (int i = 0; i < 3; ++i) numbers += carrier + block + "000" + std::to_string(i) + "\n";
      }
    }
    WriteFile(root_ / "areas.txt", table);
    WriteFile(root_ / "numbers.txt", numbers);
  }
  ~Scene() { std::filesystem::remove_all(root_); }
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  std::filesystem::path Out() const { return root_ / "out"; }
  std::vector<std::string> Arguments(const std::string& input) const {
    return {"classify", "--quiet", "--by", "city,carrier", "--areas", "../areas.txt", "--out", ".", "../" + input};
  }
  // Starts classify in the output folder.
  pid_t Start(const std::string& input = "numbers.txt") const {
    const pid_t child = ::fork();
    if (child == 0) test::ExecInFolder(test::CliPath(), Arguments(input), Out());
    return child;
  }

 private:
  std::filesystem::path root_;
};

using Files = std::map<std::string, std::string>;

Files Snapshot(const std::filesystem::path& folder) {
  Files files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    files[entry.path().filename().string()] = ReadFile(entry.path());
  }
  return files;
}

int WaitFor(pid_t child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
  }
  return status;
}

TEST(CommitInterrupts, EveryTrialEndsAllOldOrAllNew) {
  Scene scene;
  // The new files, from a run that nothing interrupts, and old ones of the same names.
  ASSERT_EQ(WaitFor(scene.Start()), 0);
  const Files newFiles = Snapshot(scene.Out());
  ASSERT_EQ(newFiles.size(), 3u * kAreas);
  Files oldFiles;
  for (const auto& [name, bytes] : newFiles) oldFiles[name] = "old\n";
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(WaitFor(scene.Start()), 0);
  const auto runTime = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);

  std::mt19937 random(20261208);
  const int signals[] = {SIGINT, SIGTERM, SIGHUP, SIGKILL};
  std::map<std::string, int> outcomes;
  for (int trial = 0; trial < kTrials; ++trial) {
    const int signal = signals[trial % std::size(signals)];
    SCOPED_TRACE("trial " + std::to_string(trial) + ", signal " + std::to_string(signal));
    if (trial == 0 || Snapshot(scene.Out()) != oldFiles) {
      for (const auto& [name, bytes] : oldFiles) WriteFile(scene.Out() / name, bytes);
    }
    // Any moment of the run, most of them in its second half, where the files are written and replaced.
    const pid_t child = scene.Start();
    std::uniform_int_distribution<long> moment(runTime.count() / 4, runTime.count() * 5 / 4);
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    ::kill(child, signal);
    const int status = WaitFor(child);
    if (signal == SIGKILL) {
      const Files left = Snapshot(scene.Out());
      if (left != oldFiles && left != newFiles) ++outcomes["killed within the commit"];
      // The next run finishes or undoes what was left before it fails to read its input.
      const pid_t next = scene.Start("missing.txt");
      EXPECT_EQ(WaitFor(next), 1 << 8);
    }
    const Files files = Snapshot(scene.Out());
    const bool allOld = files == oldFiles;
    const bool allNew = files == newFiles;
    EXPECT_TRUE(allOld || allNew) << files.size() << " files";
    if (signal != SIGKILL) {
      // A success means all new, and old files mean the signal ended the run. A signal that comes after
      // the files were replaced, while the process ends, ends it too (all new then), as any program's.
      const bool succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
      const bool signalled = WIFSIGNALED(status) && WTERMSIG(status) == signal;
      EXPECT_TRUE(succeeded || signalled) << status;
      EXPECT_TRUE(!succeeded || allNew);
      EXPECT_TRUE(!allOld || signalled) << status;
    }
    ++outcomes[allOld ? "old" : allNew ? "new" : "mixed"];
    if (HasFailure()) break;
  }
  std::cout << "all old " << outcomes["old"] << ", all new " << outcomes["new"] << ", killed within the commit "
            << outcomes["killed within the commit"] << "\n";
  // Both ends were reached often enough for the moments to fall within the commit too.
  EXPECT_GT(outcomes["old"], kEachEndMoreThan);
  EXPECT_GT(outcomes["new"], kEachEndMoreThan);
}

}  // namespace
}  // namespace zelvane
