// The progress line of zelvane-cli: on a terminal for work that runs longer than a second, never in a
// pipe unless asked for, always cleared at the end.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "cli/terminal_progress.h"
#include "tests/support/process.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using cli::ByteCount;
using cli::ProgressLine;

TEST(ProgressLine, BytesAtEachUnitsEdge) {
  const std::pair<std::uint64_t, std::string> cases[] = {
      {0, "0 B"},
      {1023, "1023 B"},
      {1024, "1.0 KiB"},
      {1535, "1.4 KiB"},
      {10 * 1024 - 1, "9.9 KiB"},
      {10 * 1024, "10 KiB"},
      {(std::uint64_t{1} << 20) - 1, "1023 KiB"},
      {412 * (std::uint64_t{1} << 20), "412 MiB"},
      {std::uint64_t{1288490188}, "1.1 GiB"},
      {~std::uint64_t{0}, "15 EiB"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(ByteCount(bytes), text) << bytes;
}

TEST(ProgressLine, DoneOfTotalInPercent) {
  struct Case {
    std::uint64_t done, total;
    const char* line;
  };
  const Case cases[] = {
      {412 * (std::uint64_t{1} << 20), std::uint64_t{1288490189}, "classify: 412 MiB of 1.2 GiB (33%)"},
      {5, 0, "classify: 5 B"},
      {0, 7, "classify: 0 B of 7 B (0%)"},
      {9, 7, "classify: 9 B of 7 B (100%)"},
      {~std::uint64_t{0} / 2, ~std::uint64_t{0}, "classify: 7.9 EiB of 15 EiB (49%)"},
  };
  for (const Case& c : cases) EXPECT_EQ(ProgressLine("classify", c.done, c.total), c.line);
}

// Numbers on standard input: a little, then after more than the delay the rest, so that the command
// runs longer than the delay and reports after it.
void FeedSlowly(int fd) {
  std::string numbers;
  for (int i = 0; i < 800'000; ++i) numbers += std::to_string(13900000000LL + i) + "\n";
  const auto write = [fd](std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd, bytes.data(), bytes.size());
      if (written <= 0) return;
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
  };
  const std::size_t first = 1 << 20;
  write(std::string_view(numbers).substr(0, first));
  std::this_thread::sleep_for(cli::TerminalProgress::kDelay + std::chrono::milliseconds(300));
  write(std::string_view(numbers).substr(first));
  ::close(fd);
}

// Everything the command wrote to standard error, on a terminal or into a pipe; standard output goes
// there too on a terminal.
std::string RunClassifyFedSlowly(bool terminal, const std::vector<std::string>& options,
                                 const std::filesystem::path& folder) {
  int input[2];
  int errorPipe[2] = {-1, -1};
  if (::pipe(input) != 0 || (!terminal && ::pipe(errorPipe) != 0)) throw std::runtime_error("pipe failed");
  std::vector<std::string> arguments = {"classify", "--out", "out"};
  arguments.insert(arguments.end(), options.begin(), options.end());
  arguments.push_back("-");
  int reader = errorPipe[0];
  const pid_t child = terminal ? ::forkpty(&reader, nullptr, nullptr, nullptr) : ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    ::dup2(input[0], 0);
    if (!terminal) {
      ::dup2(errorPipe[1], 2);
      const int null = ::open("/dev/null", O_WRONLY);
      ::dup2(null, 1);
    }
    ::close(input[1]);
    test::ExecInFolder(test::CliPath(), arguments, folder);
  }
  ::close(input[0]);
  if (!terminal) ::close(errorPipe[1]);
  std::thread feeder(FeedSlowly, input[1]);
  std::string output;
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(reader, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // a terminal whose other side closed says EIO
    output.append(buffer, static_cast<std::size_t>(got));
  }
  feeder.join();
  ::close(reader);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
  return output;
}

TEST(ProgressCli, ALineOnTheTerminalOnlyClearedAtTheEnd) {
  struct Case {
    const char* name;
    bool terminal;
    std::vector<std::string> options;
    bool line;
    bool summary;
  };
  const Case cases[] = {
      {"terminal", true, {}, true, true},
      {"pipe", false, {}, false, false},  // the summary goes to standard output
      {"pipe, --progress", false, {"--progress"}, true, false},
      {"terminal, --quiet", true, {"--quiet"}, false, false},
      {"terminal, --quiet --progress", true, {"--quiet", "--progress"}, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TemporaryFolder folder;
    const std::string output = RunClassifyFedSlowly(c.terminal, c.options, folder.path());
    const std::size_t line = output.find("\rclassify: ");
    EXPECT_EQ(line != std::string::npos, c.line) << output;
    if (line != std::string::npos) {
      EXPECT_NE(output.find(" MiB\x1b[K", line), std::string::npos) << output;
      EXPECT_NE(output.find("\r\x1b[K", line), std::string::npos) << "cleared: " << output;
    }
    EXPECT_EQ(output.find("当前共有800000个号码") != std::string::npos, c.summary) << output;
    EXPECT_EQ(test::ReadFile(folder / "out" / "移动.txt").size(), 800'000u * 13);
  }
}

}  // namespace
}  // namespace zelvane
