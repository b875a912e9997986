// What zelvane-cli shows in a console window. CTest runs this suite on a terminal of its own, which Wine
// makes its console (tests/windows/on-terminal.sh); each case clears it, runs the program in it and reads it.

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "cli/terminal_progress.h"
#include "core/platform/wide_text.h"
#include "core/text_encoding.h"
#include "core/work_progress.h"
#include "tests/support/process.h"
#include "tests/support/process_win32.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using test::Handle;
using test::TemporaryFolder;

// The suite's console screen, handed to the programs it starts as their standard output and error.
class ConsoleScreen {
 public:
  ConsoleScreen() : screen_(Open()) {}

  bool valid() const { return screen_.valid(); }
  HANDLE get() const { return screen_.get(); }

  // Blank, the cursor at the top left, text in codePage.
  void Clear(unsigned codePage) const {
    SetConsoleOutputCP(codePage);
    const COORD size = Size();
    DWORD done = 0;
    FillConsoleOutputCharacterW(screen_.get(), L' ', static_cast<DWORD>(size.X * size.Y), COORD{0, 0}, &done);
    SetConsoleCursorPosition(screen_.get(), COORD{0, 0});
  }

  // Every word on the screen (text between blanks, a tab shown as blanks), in UTF-8, line by line
  // from the top down to the cursor's line.
  std::vector<std::string> Words() const {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(screen_.get(), &info);
    std::vector<std::string> lines;
    for (SHORT row = 0; row <= info.dwCursorPosition.Y; ++row) {
      std::wstring line(static_cast<std::size_t>(info.dwSize.X), L' ');
      DWORD read = 0;
      ReadConsoleOutputCharacterW(screen_.get(), line.data(), static_cast<DWORD>(line.size()), COORD{0, row}, &read);
      line.resize(read);
      std::istringstream words(Utf8(line));
      std::string joined;
      for (std::string word; words >> word;) joined += (joined.empty() ? "" : " ") + word;
      if (!joined.empty()) lines.push_back(joined);
    }
    return lines;
  }

 private:
  static HANDLE Open() {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                       OPEN_EXISTING, 0, nullptr);
  }
  COORD Size() const {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(screen_.get(), &info);
    return info.dwSize;
  }

  Handle screen_;
};

// Runs zelvane-cli in folder with its output and errors on the console (out on a file instead when
// given) and its input from a pipe that gets inputFirst, then, after a pause longer than the progress
// line's delay, inputLater. Returns the exit code.
int RunOnConsole(const ConsoleScreen& console, const std::vector<std::string>& arguments,
                 const std::filesystem::path& folder, const std::string& inputFirst = "",
                 const std::string& inputLater = "", const std::filesystem::path& out = {}) {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherited, 0)) return -1;
  const Handle input(readEnd);
  Handle feed(writeEnd);
  SetHandleInformation(feed.get(), HANDLE_FLAG_INHERIT, 0);
  const Handle outFile(out.empty() ? nullptr
                                   : CreateFileW(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                                                 FILE_ATTRIBUTE_NORMAL, nullptr));

  std::wstring commandLine = test::CommandLineOf(test::CliPath(), arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.get();
  startup.hStdOutput = out.empty() ? console.get() : outFile.get();
  startup.hStdError = console.get();
  PROCESS_INFORMATION child{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                      &child)) {
    return -1;
  }
  const Handle process(child.hProcess);
  const Handle thread(child.hThread);
  DWORD written = 0;
  WriteFile(feed.get(), inputFirst.data(), static_cast<DWORD>(inputFirst.size()), &written, nullptr);
  if (!inputLater.empty()) {
    Sleep(static_cast<DWORD>((cli::TerminalProgress::kDelay + std::chrono::milliseconds(300)).count()));
    WriteFile(feed.get(), inputLater.data(), static_cast<DWORD>(inputLater.size()), &written, nullptr);
  }
  feed.reset();
  WaitForSingleObject(process.get(), INFINITE);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.get(), &exitCode);
  return static_cast<int>(exitCode);
}

class ConsoleCli : public testing::TestWithParam<unsigned> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(console_.valid()) << "no console: CTest runs this suite on a terminal (script), which Wine makes one";
    console_.Clear(GetParam());
  }

  ConsoleScreen console_;
  TemporaryFolder folder_;
};

// Each command's text reads right whatever the console's code page, every line on its own.
TEST_P(ConsoleCli, ShowsEachCommandsTextInTheConsolesCodePage) {
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    std::string input;
    std::vector<std::string> screen;
  };
  test::WriteFile(folder_ / "a.txt", "13912345678\n13000301234\n");
  test::WriteFile(folder_ / "b.txt", "13912345678\n");
  test::WriteFile(folder_ / "c.txt", "13912345678\n\xD5\xC5\xC8\xFD\n");
  const Case cases[] = {
      {"lookup",
       {"lookup", "13000301234", "075512345678", "16212345678"},
       "",
       {"13000301234 联通 江苏省 南京市 025", "075512345678 小灵通 广东省 深圳市 0755", "16212345678 其他 未知地区"}},
      {"lookup of GBK text",
       {"lookup", "-"},
       "\xD5\xC5\xC8\xFD 1391234567\xB0\xA1",
       {"张三 其他 未知地区", "1391234567啊 其他 未知地区"}},
      {"classify",
       {"classify", "--out", ".", "a.txt"},
       "",
       {"当前共有2个号码，移动1个，联通1个，电信0个，小灵通0个，其他0个"}},
      {"compare", {"compare", "--same", "--out", "same.txt", "a.txt", "b.txt"}, "", {"找到1个相同的号码"}},
      {"compare's numbers", {"compare", "--different", "c.txt", "b.txt"}, "", {"张三", "找到1个不同的号码"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    console_.Clear(GetParam());
    EXPECT_EQ(RunOnConsole(console_, c.arguments, folder_.path(), c.input), 0);
    EXPECT_EQ(console_.Words(), c.screen);
  }
  // The tables and the report: long texts, UTF-8 throughout whatever the console's code page.
  const std::pair<std::vector<std::string>, std::string> tables[] = {
      {{"prefixes"}, "移动"}, {{"areas"}, "北京市"}, {{"report", "a.txt"}, "江苏省"}};
  for (const auto& [arguments, word] : tables) {
    SCOPED_TRACE(arguments.front());
    console_.Clear(GetParam());
    EXPECT_EQ(RunOnConsole(console_, arguments, folder_.path(), "", "", folder_ / "out.txt"), 0);
    const std::string out = test::ReadFile(folder_ / "out.txt");
    EXPECT_TRUE(IsUtf8(out));
    EXPECT_NE(out.find(word), std::string::npos);
  }
}

// prefixes and areas print a table's rules (after a comment of their own) each on a line of its own.
TEST_P(ConsoleCli, ShowsTablesLineByLine) {
  test::WriteFile(folder_ / "prefixes.txt", "# 我的号段\n139 移动\n130 联通\n");
  test::WriteFile(folder_ / "areas.txt", "# 我的归属地\n1300030 江苏省 南京市\n0755 广东省 深圳市\n");
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    std::vector<std::string> screen;
  };
  const Case cases[] = {
      {"prefixes", {"prefixes", "prefixes.txt"}, {"139 移动", "130 联通"}},
      {"areas", {"areas", "areas.txt"}, {"1300030 江苏省 南京市", "0755 广东省 深圳市"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    console_.Clear(GetParam());
    EXPECT_EQ(RunOnConsole(console_, c.arguments, folder_.path()), 0);
    std::vector<std::string> rules;
    for (const std::string& line : console_.Words()) {
      if (line.front() != '#') rules.push_back(line);
    }
    EXPECT_EQ(rules, c.screen);
  }
}

// Redirected, standard output is UTF-8 (numbers as their bytes) whatever the console's code page, and
// the messages on the console still read right.
TEST_P(ConsoleCli, WritesUtf8WhenStandardOutputIsRedirected) {
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    std::string out;
    std::vector<std::string> screen;
  };
  test::WriteFile(folder_ / "a.txt", "13912345678\n");
  const Case cases[] = {
      {"lookup", {"lookup", "13000301234"}, "13000301234\t联通\t江苏省\t南京市\t025\n", {}},
      {"classify",
       {"classify", "--out", ".", "a.txt"},
       "当前共有1个号码，移动1个，联通0个，电信0个，小灵通0个，其他0个\n",
       {}},
      {"compare", {"compare", "--different", "a.txt", "a.txt"}, "", {"找到0个不同的号码"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    console_.Clear(GetParam());
    EXPECT_EQ(RunOnConsole(console_, c.arguments, folder_.path(), "", "", folder_ / "out.txt"), 0);
    EXPECT_EQ(test::ReadFile(folder_ / "out.txt"), c.out);
    EXPECT_EQ(console_.Words(), c.screen);
  }
}

// The progress line, drawn once the work took longer than its delay and read another report's worth,
// is gone at the end: with the totals in a file, the screen is blank again, no escape sequence left.
TEST_P(ConsoleCli, ClearsTheProgressLine) {
  constexpr int kLater = WorkProgress::kReportStep / 12 + 1000;  // numbers of 11 digits and a line break
  std::string later;
  for (int i = 0; i < kLater; ++i) later += std::to_string(13900000000 + i) + "\n";
  EXPECT_EQ(RunOnConsole(console_, {"classify", "--progress", "--out", ".", "-"}, folder_.path(), "13912345678\n",
                         later, folder_ / "out.txt"),
            0);
  EXPECT_EQ(console_.Words(), std::vector<std::string>{});
  const std::string count = std::to_string(kLater + 1);
  EXPECT_EQ(test::ReadFile(folder_ / "out.txt"),
            "当前共有" + count + "个号码，移动" + count + "个，联通0个，电信0个，小灵通0个，其他0个\n");
}

INSTANTIATE_TEST_SUITE_P(CodePages, ConsoleCli, testing::Values(kGbkCodePage, kUtf8CodePage),
                         [](const testing::TestParamInfo<unsigned>& page) {
                           return "CodePage" + std::to_string(page.param);
                         });

}  // namespace
}  // namespace zelvane
