// The command line against real failures of the disk and the file system: exit code, message,
// and every file that was there before left byte for byte as it was.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/test_files.h"
#include "tests/support/test_text.h"

namespace zelvane {
namespace {

using test::FileNamesIn;
using test::ReadFile;
using test::RunCli;
using test::SmallFileSystem;
using test::TemporaryFolder;
using test::WriteFile;

// Bad usage, unreadable inputs and unwritable targets: nothing printed on standard output, nothing written.
// Compare writes to out.txt unless told otherwise, so that a result written by mistake shows there.
class CliFailure : public testing::TestWithParam<test::CliFailureCase> {};

TEST_P(CliFailure, WritesNothing) {
  TemporaryFolder folder;
  std::vector<std::string> files = {"a.txt",    "b.txt",    "out.txt",    "移动.txt",
                                    "联通.txt", "电信.txt", "小灵通.txt", "其他.txt"};
  for (const std::string& name : files) WriteFile(folder / name, "13912345678\n" + name);
  std::filesystem::create_directory(folder / "dir");
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
  std::vector<std::string> arguments = GetParam().arguments;
  if (!arguments.empty() && arguments[0] == "compare" && std::ranges::count(arguments, "--out") == 0) {
    arguments.insert(arguments.begin() + 1, {"--out", "out.txt"});
  }
  const auto result = RunCli(arguments, folder.path());
  EXPECT_EQ(result.exitCode, GetParam().exitCode);
  EXPECT_TRUE(result.err.starts_with(GetParam().errorStart)) << result.err;
  EXPECT_EQ(result.out, "");
  for (const std::string& name : files) EXPECT_EQ(ReadFile(folder / name), "13912345678\n" + name);
  files.insert(files.end(), {"dir", "fifo"});
  std::sort(files.begin(), files.end());
  EXPECT_EQ(FileNamesIn(folder.path()), files) << "no temporary file left";
}

using Case = test::CliFailureCase;
const std::string kUsage = "zelvane-cli: ";
const std::string kRead = "zelvane-cli: 无法读取文件“";
const std::string kWrite = "zelvane-cli: 无法写入文件“";
const std::string kNoMode = kUsage + "请指定 --same（找相同）或 --different（找不同）中的一个\n";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, CliFailure,
    testing::Values(
        Case{"NoInput", {"classify"}, 2, kUsage + "缺少要导入的号码文件\n请用“zelvane-cli classify --help”查看用法。\n"},
        Case{"NoCommand", {}, 2, kUsage + "缺少命令（classify、compare、lookup、areas 或 prefixes）\n请用“zelvane-cli --help”查看用法。\n"},
        Case{"UnknownCommand", {"sort", "a.txt"}, 2, kUsage + "未知的命令：sort\n请用“zelvane-cli --help”查看用法。\n"},
        Case{"UnknownOption", {"classify", "--fast", "a.txt"}, 2, kUsage + "无法识别的参数：--fast\n"},
        Case{"MissingValue", {"classify", "a.txt", "--out"}, 2, kUsage + "选项 --out 缺少取值\n"},
        Case{"BadPrefixTable", {"classify", "--prefixes", "a.txt", "b.txt"}, 2,
             kUsage + "号段表“a.txt”第1行：应为“号段 类别”，号段是 1 到 7 位数字，如“139 移动”\n"},
        Case{"MissingPrefixTable", {"classify", "--prefixes", "none.txt", "a.txt"}, 1, kRead + "none.txt”：文件或文件夹不存在\n"},
        Case{"PrintBadPrefixTable", {"prefixes", "a.txt"}, 2, kUsage + "号段表“a.txt”第1行："},
        Case{"BadEscape", {"classify", "--separator", "\\x", "a.txt"}, 2, kUsage + "分隔符中有不支持的转义 \\x"},
        Case{"LoneBackslash", {"classify", "--separator", "a\\", "a.txt"}, 2, kUsage + "分隔符以单独的反斜杠结尾"},
        Case{"NotGbk", {"classify", "--separator", "\xF0\x9F\x98\x80", "a.txt"}, 2,
             kUsage + "分隔符中有无法用 GBK 编码表示的字符"},
        Case{"SecondInputMissing", {"classify", "a.txt", "missing.txt"}, 1, kRead + "missing.txt”：文件或文件夹不存在\n"},
        Case{"FolderInput", {"classify", "dir"}, 1, kRead + "dir”：这是一个文件夹，不是文件\n"},
        Case{"OutputFolderIsAFile", {"classify", "--out", "out.txt", "a.txt"}, 1,
             kWrite + "out.txt”：路径中的某一部分不是文件夹\n"},
        Case{"CompareNoMode", {"compare", "a.txt", "b.txt"}, 2, kNoMode},
        Case{"CompareBothModes", {"compare", "--same", "--different", "a.txt", "b.txt"}, 2, kNoMode},
        Case{"CompareOneFile", {"compare", "--same", "a.txt"}, 2, kUsage + "需要两个号码文件，实际给出了1个\n"},
        Case{"CompareThreeFiles", {"compare", "--same", "a.txt", "b.txt", "a.txt"}, 2,
             kUsage + "需要两个号码文件，实际给出了3个\n"},
        Case{"CompareBadSeparator", {"compare", "--same", "--separator", "\\x", "a.txt", "b.txt"}, 2,
             kUsage + "分隔符中有不支持的转义 \\x"},
        Case{"CompareSecondMissing", {"compare", "--different", "a.txt", "missing.txt"}, 1,
             kRead + "missing.txt”：文件或文件夹不存在\n"},
        Case{"CompareFolderInput", {"compare", "--same", "dir", "a.txt"}, 1, kRead + "dir”：这是一个文件夹，不是文件\n"},
        Case{"CompareUnwritableResult", {"compare", "--same", "--out", "no/such/out.txt", "a.txt", "b.txt"}, 1,
             kWrite + "no/such/out.txt”：文件或文件夹不存在\n"},
        Case{"CompareUnknownOption", {"compare", "--same", "--fast", "a.txt", "b.txt"}, 2, kUsage + "无法识别的参数：--fast\n"},
        Case{"CompareStandardInputTwice", {"compare", "--same", "-", "-"}, 2,
             kUsage + "标准输入（-）只能是两个文件中的一个\n"},
        Case{"CompareBadMemory", {"compare", "--same", "--memory", "256MB", "a.txt", "b.txt"}, 2,
             kUsage + "内存大小“256MB”无效：应为正整数，可加 K、M 或 G，如 256M\n"},
        Case{"CompareNoMemory", {"compare", "--same", "--memory", "0", "a.txt", "b.txt"}, 2, kUsage + "内存大小“0”无效"},
        Case{"CompareHugeMemory", {"compare", "--same", "--memory", "99999999999G", "a.txt", "b.txt"}, 2,
             kUsage + "内存大小“99999999999G”无效"},
        // An empty value names nothing: it is refused, never taken for the default.
        Case{"EmptyOut", {"classify", "--out", "", "a.txt"}, 2, kUsage + "选项 --out 的取值不能为空\n"},
        Case{"CompareEmptyOut", {"compare", "--same", "--out", "", "a.txt", "b.txt"}, 2,
             kUsage + "选项 --out 的取值不能为空\n"},
        Case{"EmptyBy", {"classify", "--by", "", "a.txt"}, 2, kUsage + "选项 --by 的取值不能为空\n"},
        Case{"EmptyPrefixes", {"lookup", "--prefixes", "", "13912345678"}, 2, kUsage + "选项 --prefixes 的取值不能为空\n"},
        Case{"EmptyAreas", {"classify", "--areas", "", "a.txt"}, 2, kUsage + "选项 --areas 的取值不能为空\n"},
        Case{"EmptyMemory", {"compare", "--same", "--memory", "", "a.txt", "b.txt"}, 2,
             kUsage + "选项 --memory 的取值不能为空\n"},
        Case{"OutTwice", {"compare", "--same", "--out", "x.txt", "--out", "y.txt", "a.txt", "b.txt"}, 2,
             kUsage + "选项 --out 只能给出一次\n"},
        Case{"TableFromStandardInput", {"classify", "--prefixes", "-", "a.txt"}, 2,
             kUsage + "号段表不能从标准输入（-）读取，请给出号段表文件\n"},
        Case{"AreaTableFromStandardInput", {"lookup", "--areas", "-", "13912345678"}, 2,
             kUsage + "归属地表不能从标准输入（-）读取，请给出归属地表文件\n"},
        // A FIFO without a writer or an endless device would be waited on or read forever: refused at once.
        Case{"FifoInput", {"classify", "a.txt", "fifo"}, 1, kRead + "fifo”：这不是一个普通文件\n"},
        Case{"CompareFifoInput", {"compare", "--same", "fifo", "a.txt"}, 1, kRead + "fifo”：这不是一个普通文件\n"},
        Case{"DeviceInput", {"classify", "/dev/zero"}, 1, kRead + "/dev/zero”：这不是一个普通文件\n"}),
    [](const auto& p) { return std::string(p.param.name); });
// clang-format on

// A table over its size limit is the user's mistake, as a malformed one is.
TEST(CliFaults, OversizedTablesAreBadUsage) {
  TemporaryFolder folder;
  WriteFile(folder / "big.txt", "139 移动\n");
  std::filesystem::resize_file(folder / "big.txt", (std::uintmax_t{64} << 20) + 1);
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"prefixes", "big.txt"}, "号段表“big.txt”太大：最多 16 MiB\n"},
      {{"areas", "big.txt"}, "归属地表“big.txt”太大：最多 64 MiB\n"},
  };
  for (const auto& [arguments, message] : cases) {
    const auto result = RunCli(arguments, folder.path());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.starts_with(kUsage + message)) << result.err;
    EXPECT_EQ(result.out, "");
  }
}

// Started with a standard stream closed or full, as a careless script may start it: standard input closed
// is an error naming it (never an empty input, which would empty the five files), no file the command
// opens takes a closed stream's place, and output that cannot be written fails the command.
TEST(CliFaults, ClosedAndFullStandardStreams) {
  TemporaryFolder folder;
  std::string numbers;
  for (int i = 0; i < 30000; ++i) numbers += std::to_string(13900000000LL + i * 7919) + "\n";
  WriteFile(folder / "numbers.txt", numbers);
  WriteFile(folder / "half.txt", numbers.substr(0, numbers.size() / 2));
  std::filesystem::create_directory(folder / "D");
  const std::string noInput = kUsage + "无法读取标准输入：标准输入已关闭\n";
  const std::string full = kUsage + "无法写入标准输出：磁盘空间不足\n";
  struct StreamCase {
    std::string command;  // for sh, "$0" is zelvane-cli
    int exitCode;
    std::string err;
  };
  const StreamCase cases[] = {
      {"\"$0\" classify --out D numbers.txt - <&-", 1, noInput},
      {"\"$0\" classify --out D - <&-", 1, noInput},
      {"\"$0\" compare --same --out R - numbers.txt <&-", 1, noInput},
      {"\"$0\" classify --out D numbers.txt >/dev/full", 1, full},
      {"\"$0\" lookup 13912345678 >/dev/full", 1, full},
      {"\"$0\" prefixes >/dev/full", 1, full},
      {"\"$0\" --help >/dev/full", 1, full},
  };
  for (const StreamCase& streamCase : cases) {
    SCOPED_TRACE(streamCase.command);
    for (std::string_view name : test::kCategoryFileNames) WriteFile(folder / "D" / name, "old");
    WriteFile(folder / "R", "old");
    const auto result = test::RunProgram("/bin/sh", {"-c", streamCase.command, test::CliPath()}, folder.path());
    EXPECT_EQ(result.exitCode, streamCase.exitCode);
    EXPECT_EQ(result.err, streamCase.err);
    // A closed standard input changes no file; a full standard output only loses the totals.
    if (!streamCase.command.ends_with("<&-")) continue;
    EXPECT_EQ(ReadFile(folder / "R"), "old");
    for (std::string_view name : test::kCategoryFileNames) EXPECT_EQ(ReadFile(folder / "D" / name), "old");
  }
  // With standard error closed, the progress lines go nowhere, never into the result.
  const auto closed = test::RunProgram(
      "/bin/sh",
      {"-c", "\"$0\" compare --different --progress --separator '\\n' --out R numbers.txt half.txt 2>&-",
       test::CliPath()},
      folder.path());
  EXPECT_EQ(closed.exitCode, 0);
  EXPECT_EQ(ReadFile(folder / "R"), numbers.substr(numbers.size() / 2));
}

TEST(CliFaults, InputLargerThanFourGigabytes) {
  TemporaryFolder folder;
  const std::filesystem::path big = folder / "big.txt";
  WriteFile(big, "18612345678\n");
  // A number, 4 GiB of zeros (one long run, no number), then a number.
  const off_t size = (off_t{1} << 32) + 24;
  ASSERT_EQ(::truncate(big.c_str(), size - 12), 0);
  {
    const int fd = ::open(big.c_str(), O_WRONLY);
    ASSERT_EQ(::pwrite(fd, "\n13912345678", 12, size - 12), 12);
    ::close(fd);
  }
  const auto result = RunCli({"classify", "big.txt"}, folder.path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "当前共有2个号码，移动1个，联通1个，电信0个，小灵通0个，其他0个\n");
  EXPECT_EQ(ReadFile(folder / "移动.txt"), "13912345678\r\n");
  EXPECT_EQ(ReadFile(folder / "联通.txt"), "18612345678\r\n");
}

TEST(CliFaults, UnreadableInput) {
  TemporaryFolder folder;
  std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
  WriteFile(folder / "secret.txt", "13912345678\n");
  std::filesystem::permissions(folder / "secret.txt", std::filesystem::perms::none);
  // Root reads every file: run the command as an ordinary user.
  const auto result = test::RunProgram(
      "/usr/bin/setpriv",
      {"--reuid=65534", "--regid=65534", "--clear-groups", test::CliPath(), "classify", "secret.txt"}, folder.path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "zelvane-cli: 无法读取文件“secret.txt”：没有访问权限\n");
  EXPECT_EQ(FileNamesIn(folder.path()), std::vector<std::string>{"secret.txt"});
}

// A comparison that must spill to a temporary folder that is missing or fills up fails as a write to that
// folder does, leaves the result file as it was and nothing in the folder.
TEST(CliFaults, CompareWithoutRoomToSpill) {
  TemporaryFolder folder;
  SmallFileSystem disk(folder / "disk", 64 * 1024);
  std::string numbers;
  for (int i = 0; i < 40000; ++i) numbers += std::to_string(13900000000LL + i * 7) + "\n";
  WriteFile(folder / "a.txt", numbers);
  WriteFile(folder / "b.txt", numbers.substr(0, numbers.size() / 2));
  WriteFile(folder / "out.txt", "old");
  const std::pair<std::string, std::string> cases[] = {{"missing", "文件或文件夹不存在"}, {"disk", "磁盘空间不足"}};
  for (const auto& [temporary, reason] : cases) {
    if (temporary == "disk" && !disk.mounted()) GTEST_SKIP() << "cannot mount a small file system here";
    const auto result = RunCli(
        {"compare", "--different", "--memory", "1M", "--temp-dir", temporary, "--out", "out.txt", "a.txt", "b.txt"},
        folder.path());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, kWrite + temporary + "”：" + reason + "\n");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(ReadFile(folder / "out.txt"), "old");
  }
  EXPECT_TRUE(FileNamesIn(folder / "disk").empty());
  EXPECT_EQ(FileNamesIn(folder.path()), (std::vector<std::string>{"a.txt", "b.txt", "disk", "out.txt"}));
}

// Every category file there before is kept byte for byte, whichever of them fails.
void ExpectOldCategoryFiles(const std::filesystem::path& folder) {
  for (std::string_view name : test::kCategoryFileNames) EXPECT_EQ(ReadFile(folder / name), "old " + std::string(name));
  EXPECT_EQ(FileNamesIn(folder).size(), test::kCategoryFileNames.size()) << "no temporary file is left";
}

// A disk that fills up: file_faults_test, which runs under Wine too.
TEST(CliFaults, ReadOnlyDiskKeepsTheOldFiles) {
  TemporaryFolder folder;
  SmallFileSystem disk(folder / "disk", 64 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small file system here";
  WriteFile(folder / "numbers.txt", "13912345678 18612345678 95588\n");
  for (std::string_view name : test::kCategoryFileNames) WriteFile(folder / "disk" / name, "old " + std::string(name));
  disk.Remount(true);
  const auto result = RunCli({"classify", "--out", "disk", "numbers.txt"}, folder.path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(result.err.starts_with(kWrite + "disk/")) << result.err;
  EXPECT_TRUE(result.err.ends_with("”：文件系统是只读的\n")) << result.err;
  EXPECT_EQ(result.out, "");
  ExpectOldCategoryFiles(folder / "disk");
}

// The last category file grows past the file-size limit: the four before it are not replaced either,
// and a folder made for the output goes again.
TEST(CliFaults, LastFileFailingReplacesNothing) {
  TemporaryFolder folder;
  std::string numbers = "13912345678 18612345678 15312345678 0755123456\n";
  for (int i = 0; i < 20000; ++i) numbers += "95588\n";
  WriteFile(folder / "numbers.txt", numbers);
  for (std::string_view name : test::kCategoryFileNames) WriteFile(folder / name, "old " + std::string(name));
  for (const std::string out : {".", "new/deeper"}) {
    // An ignored SIGXFSZ stays ignored across exec: a write past the limit then fails with EFBIG.
    const auto result =
        test::RunProgram("/bin/sh",
                         {"-c", "trap '' XFSZ; exec prlimit --fsize=65536 \"$0\" classify --out \"$1\" numbers.txt",
                          test::CliPath(), out},
                         folder.path());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, kWrite + out + "/其他.txt”：文件太大\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "new"));
  }
  std::filesystem::remove(folder / "numbers.txt");
  ExpectOldCategoryFiles(folder.path());
}

// Starts the command in folder reading its numbers from a pipe that stays open: it is still at work when this returns.
pid_t StartReadingPipe(const std::vector<std::string>& arguments, const std::filesystem::path& folder, int& input) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return -1;
  const pid_t child = ::fork();
  if (child == 0) {
    const int quiet = ::open("/dev/null", O_WRONLY);
    if (quiet < 0) ::_exit(126);
    ::dup2(ends[0], 0);
    ::dup2(quiet, 1);
    ::dup2(quiet, 2);
    test::ExecInFolder(test::CliPath(), arguments, folder);
  }
  ::close(ends[0]);
  input = ends[1];
  return child;
}

// How many files the process has open that were removed or never had a name (unnamed files read so).
int OpenFilesWithoutName(pid_t process) {
  int count = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/" + std::to_string(process) + "/fd", error)) {
    count += std::filesystem::read_symlink(entry.path(), error).string().ends_with(" (deleted)");
  }
  return count;
}

// Stopped with Ctrl+C while writing, a command leaves every file as it was and no temporary file: the files
// it writes have no name until they are complete. (The comparison's stream from stdin spills to --temp-dir.)
TEST(CliFaults, InterruptedLeavesNothingBehind) {
  const std::vector<std::vector<std::string>> commands = {
      {"classify", "--out", ".", "-"},
      {"compare", "--same", "--memory", "1M", "--temp-dir", "tmp", "--out", "out.txt", "-", "b.txt"}};
  std::string numbers;
  for (int i = 0; i < 300000; ++i) numbers += std::to_string(13900000000LL + i) + "\n";
  for (const std::vector<std::string>& command : commands) {
    SCOPED_TRACE(command[0]);
    TemporaryFolder folder;
    WriteFile(folder / "b.txt", "13900000001\n");
    WriteFile(folder / "out.txt", "old");
    std::filesystem::create_directory(folder / "tmp");
    const std::vector<std::string> before = FileNamesIn(folder.path());
    int input = -1;
    const pid_t child = StartReadingPipe(command, folder.path(), input);
    ASSERT_GT(child, 0);
    for (std::size_t done = 0; done < numbers.size();) {
      const ssize_t wrote = ::write(input, numbers.data() + done, numbers.size() - done);
      ASSERT_GT(wrote, 0);
      done += static_cast<std::size_t>(wrote);
    }
    const int expected = command[0] == "classify" ? 5 : 2;  // five category files; the result and the spill
    for (int wait = 0; wait < 1000 && OpenFilesWithoutName(child) < expected; ++wait) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(OpenFilesWithoutName(child), expected);
    EXPECT_EQ(FileNamesIn(folder.path()), before);
    ::kill(child, SIGINT);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
    }
    ::close(input);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
    EXPECT_EQ(FileNamesIn(folder.path()), before);
    EXPECT_EQ(FileNamesIn(folder / "tmp"), std::vector<std::string>{});
    EXPECT_EQ(ReadFile(folder / "out.txt"), "old");
  }
}

// Running out of memory anywhere (the output buffers, the repeats' table, the comparison's index) is
// reported with what was being done, exit 1, and every target stays as it was.
TEST(CliFaults, OutOfMemoryKeepsTheOldFiles) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizers reserve more address space than the limit allows";
#endif
  TemporaryFolder folder;
  std::string numbers;
  for (long long i = 0; i < 3000000; ++i) numbers += std::to_string(13900000000LL + i * 7919 % 100000000) + "\n";
  WriteFile(folder / "numbers.txt", numbers);
  for (std::string_view name : test::kCategoryFileNames) WriteFile(folder / name, "old " + std::string(name));
  WriteFile(folder / "out.txt", "old out");
  const std::vector<std::vector<std::string>> commands = {
      {"classify", "--unique", "numbers.txt"},
      {"compare", "--different", "--unique", "--out", "out.txt", "numbers.txt", "numbers.txt"}};
  for (const char* limit : {"--as=33554432", "--as=67108864", "--as=134217728"}) {
    for (const std::vector<std::string>& command : commands) {
      std::vector<std::string> arguments = {limit, test::CliPath()};
      arguments.insert(arguments.end(), command.begin(), command.end());
      const auto result = test::RunProgram("/usr/bin/prlimit", arguments, folder.path());
      EXPECT_EQ(result.exitCode, 1) << limit << " " << command[0] << ": " << result.err;
      EXPECT_TRUE(result.err.starts_with("zelvane-cli: ") && result.err.find("内存不足") != std::string::npos)
          << result.err;
      EXPECT_EQ(result.out, "");
    }
  }
  std::filesystem::remove(folder / "numbers.txt");
  EXPECT_EQ(ReadFile(folder / "out.txt"), "old out");
  std::filesystem::remove(folder / "out.txt");
  ExpectOldCategoryFiles(folder.path());
}

// Without a thread to spare the writes, and the hashing, run in the command's own thread, to the same bytes.
TEST(CliFaults, WorksWithoutThreads) {
  TemporaryFolder folder;
  std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
  std::string numbers;
  for (int i = 0; i < 600000; ++i) numbers += std::to_string(13900000000LL + i) + "\n";
  WriteFile(folder / "numbers.txt", numbers);
  // The other user may not reach the build folder (a checkout in a private home), so it runs a copy.
  std::filesystem::copy_file(test::CliPath(), folder / "zelvane-cli");
  for (const bool hashed : {false, true}) {
    // One process for the user, and it is the command: no thread can start. (Root is not limited.)
    // LeakSanitizer, in the sanitizer build, needs a thread of its own at the end.
    std::vector<std::string> arguments = {"--reuid=65534",
                                          "--regid=65534",
                                          "--clear-groups",
                                          "/usr/bin/prlimit",
                                          "--nproc=1",
                                          "/usr/bin/env",
                                          "ASAN_OPTIONS=detect_leaks=0",
                                          (folder / "zelvane-cli").string(),
                                          "classify",
                                          "numbers.txt"};
    if (hashed) arguments.insert(arguments.end() - 1, {"--hash", "md5"});
    const auto result = test::RunProgram("/usr/bin/setpriv", arguments, folder.path());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with("当前共有600000个号码，移动600000个，联通0个，电信0个，小灵通0个，其他0个\n"));
    const std::string written = ReadFile(folder / "移动.txt");
    if (hashed) {
      EXPECT_EQ(written.size(), 600000u * 34);
      EXPECT_EQ(written.substr(0, 34), "46eec3f33e3d86a40c914a591922f420\r\n");
    } else {
      EXPECT_TRUE(written == std::regex_replace(numbers, std::regex("\n"), "\r\n"));
    }
  }
}

}  // namespace
}  // namespace zelvane
