// The main window's decisions, whatever toolkit draws it: each command run through a scripted window.

#include "ui/logic/main_dialog_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <iterator>
#include <map>
#include <sstream>
#include <tuple>

#include "core/platform/digest.h"
#include "res/string_table.h"
#include "tests/doubles/scripted_view.h"
#include "tests/support/test_files.h"
#include "tests/support/test_text.h"

namespace zelvane {
namespace {

using Log = std::vector<std::string>;

// m1 m2 (移动), u1 u2 p q r (联通), t (电信), h (小灵通), o (其他); x y: 其他 by the original table,
// 移动 and 电信 by today's.
const std::map<std::string, std::string, std::less<>> kSamples = {
    {"m1", "13900000001"}, {"m2", "13900000002"}, {"u1", "13000000001"}, {"u2", "13000000002"},
    {"p", "13000000101"},  {"q", "13000000102"},  {"r", "13000000103"},  {"t", "13300000001"},
    {"h", "07550000001"},  {"o", "95588000"},     {"x", "18200000001"},  {"y", "19900000001"}};

std::vector<std::string> Words(std::string_view text) {
  std::istringstream words{std::string(text)};
  return {std::istream_iterator<std::string>(words), {}};
}

std::string Sample(std::string_view names, std::string_view separator = "\r\n") {
  std::string bytes;
  for (const std::string& name : Words(names)) bytes += kSamples.find(name)->second + std::string(separator);
  return bytes;
}

// Number i of a long run that takes 移动 联通 电信 小灵通 其他 in turn.
std::string ManyNumber(int i) {
  static const char* const kFormats[] = {"139%08d", "130%08d", "133%08d", "0755%07d", "955%05d"};
  char number[16];
  std::snprintf(number, sizeof number, kFormats[i % 5], i);
  return number;
}

// Numbers first to first + count - 1, one a line; every third with the country code when asked.
std::string Many(int first, int count, bool countryCodes = false) {
  std::string bytes;
  for (int i = first; i < first + count; ++i) bytes += (countryCodes && i % 3 == 0 ? "+86" : "") + ManyNumber(i) + "\n";
  return bytes;
}

std::string MissingFileMessage(const std::filesystem::path& path) {
  return "无法读取文件“" + PathInMessage(path) + "”：文件或文件夹不存在";
}

// Everything that a command which did not happen leaves as it was.
struct State {
  std::vector<std::string> shown;
  std::vector<std::string> areas;  // the area choice's entries
  CategoryCounts counts;
  std::string status;
  std::size_t notifications;
  std::map<std::string, std::string> files;
  bool operator==(const State&) const = default;
};

struct Window {
  test::TemporaryFolder folder;
  test::ScriptedView view;
  test::RecordingNumbers numbers;
  MainDialogLogic logic{view, numbers};

  std::filesystem::path Write(std::string_view name, std::string_view bytes) const {
    test::WriteFile(folder / name, bytes);
    return folder / name;
  }
  // A command as the window runs it: afterwards the window is usable again, and it was told of a
  // change at most once.
  void Run(const std::function<void()>& command) {
    const std::size_t before = numbers.notifications.size();
    logic.RunCommand(command);
    EXPECT_LE(numbers.notifications.size(), before + 1);
    EXPECT_EQ(view.waitCursorDepth, 0);
    EXPECT_TRUE(view.commandsEnabled && !logic.WorkRunning());
  }
  void Import(std::string_view names, std::string_view file = "numbers.txt") {
    view.paths.emplace_back(Write(file, Sample(names)));
    Run([&] { logic.OnImport(); });
  }
  void ImportFiles(const std::vector<std::filesystem::path>& paths) {
    Run([&] { logic.ImportFiles(paths); });
  }
  // Clicks the boxes named ("全部", "移动", ...) in turn, each toggled as the window shows it.
  void Click(std::string_view boxes) {
    for (const std::string& name : Words(boxes)) {
      BoxStates& states = view.boxes;
      std::optional<NumberCategory> box;
      for (NumberCategory category : kAllCategories) box = CategoryLabel(category) == name ? category : box;
      bool& state = box ? states.ticked[CategoryIndex(*box)] : states.all;
      state = !state;
      Run([&] { logic.OnBox(box, states); });
    }
  }

  std::vector<std::string> ShownNumbers() const { return {numbers.Numbers().begin(), numbers.Numbers().end()}; }
  // The shown numbers by sample name.
  std::string Shown() const {
    std::string names;
    for (const std::string& number : ShownNumbers()) {
      const auto sample = std::find_if(kSamples.begin(), kSamples.end(), [&](auto& s) { return s.second == number; });
      names += (names.empty() ? "" : " ") + (sample == kSamples.end() ? number : sample->first);
    }
    return names;
  }
  State Now() const {
    std::map<std::string, std::string> files;
    for (const std::string& name : test::FileNamesIn(folder.path())) files[name] = test::ReadFile(folder / name);
    std::vector<std::string> areas;
    for (const AreaEntry& entry : view.areas) areas.push_back(entry.label);
    return {ShownNumbers(),  std::move(areas), logic.Lists().Counts(), view.status, numbers.notifications.size(),
            std::move(files)};
  }
};

// Several files are imported as one after the other, each number at its ordinal among what the boxes
// let in; a file that cannot be read is named with its reason while the others are imported. The
// status changes only when a file was read, and a single file that failed says only why.
TEST(MainDialogLogicTest, ImportsFilesInOrderAndNamesThoseThatFail) {
  struct Case {
    const char* before;  // imported first, then the boxes clicked
    const char* clicks;
    std::vector<const char*> files;  // "-": a file that is not there
    const char* shown;
    Log lines;  // of the message; "-1": file 1 cannot be read
  };
  const Case cases[] = {
      {"", "", {"m1 u1 t h o"}, "m1 u1 t h o", {"共计导入5个接收号码！"}},
      {"p q r", "全部 联通", {"m1 u1 m2 u2"}, "p u1 q u2 r", {"共计导入4个接收号码！"}},
      {"p q r", "全部 联通", {"m1 u1", "m2 u2"}, "p u2 u1 q r", {"共计导入4个接收号码！"}},
      {"t", "", {"m1", "-", "u1 u2"}, "u1 u2 m1 t", {"共计导入3个接收号码！", "-1"}},
      {"t", "", {"-"}, "t", {"-0"}},
      {"t", "", {"-", "-"}, "t", {"共计导入0个接收号码！", "-0", "-1"}},
      {"t", "", {""}, "t", {"共计导入0个接收号码！"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.files.size()) + " files: " + c.shown);
    Window window;
    if (*c.before) window.Import(c.before, "before.txt");
    window.Click(c.clicks);
    std::vector<std::filesystem::path> paths;
    for (std::size_t i = 0; i < c.files.size(); ++i) {
      const std::string name = i == 0 ? "号码.txt" : std::to_string(i);
      paths.push_back(*c.files[i] == '-' ? window.folder / name : window.Write(name, Sample(c.files[i])));
    }
    window.view.log.clear();
    window.ImportFiles(paths);

    EXPECT_EQ(window.Shown(), c.shown);
    std::string message;
    for (const std::string& line : c.lines) {
      message += (message.empty() ? "" : "\n") + (line[0] == '-' ? MissingFileMessage(paths.at(line[1] - '0')) : line);
    }
    EXPECT_EQ(window.view.Messages(), Log{message});
    EXPECT_EQ(window.view.log.at(1), paths.size() == 1
                                         ? "RunWork 正在导入“号码.txt”…"
                                         : "RunWork 正在导入“号码.txt”等" + std::to_string(paths.size()) + "个文件…");
    const bool read = std::any_of(c.files.begin(), c.files.end(), [](const char* f) { return *f != '-'; });
    EXPECT_EQ(window.view.log.at(3).starts_with("ShowCounts "), read);
    EXPECT_EQ(window.view.status, StatusText(window.logic.Lists().Counts(), CountForm::Grouped));
  }
}

// The import prompt takes several files at once and imports them in order, as files dropped together
// are; a cancelled prompt imports nothing.
TEST(MainDialogLogicTest, ImportPromptTakesSeveralFilesInOrder) {
  for (const std::size_t files : {0, 1, 3}) {
    SCOPED_TRACE(files);
    Window prompted, dropped;
    std::vector<std::filesystem::path> paths;
    for (std::size_t i = 0; i < files; ++i) paths.push_back(prompted.Write(std::to_string(i), Many(7 * int(i), 7)));
    prompted.view.fileSets.push_back(paths);
    prompted.Run([&] { prompted.logic.OnImport(); });
    dropped.ImportFiles(paths);

    EXPECT_EQ(prompted.view.log.front(), "ChooseOpenFiles 选择要导入的号码文件");
    EXPECT_EQ(prompted.ShownNumbers(), dropped.ShownNumbers());
    EXPECT_EQ(prompted.ShownNumbers().size(), 7 * files);
    EXPECT_EQ(prompted.view.Messages(), dropped.view.Messages());
    EXPECT_EQ(prompted.view.Messages().size(), files ? 1U : 0U);
  }
}

// Tens of thousands of numbers in several files at once, with only some categories shown: the same
// list and counts as importing them one by one; the work's total is the files' bytes. While the files
// are read the window goes on showing what it showed, reading it as the list would.
TEST(MainDialogLogicTest, SeveralFilesAtOnceShowAsImportedOneByOne) {
  Window atOnce, oneByOne;
  const Log files = {Many(0, 30000), Many(10000, 40000, true), Many(7, 2)};
  std::vector<std::filesystem::path> paths;
  for (Window* window : {&atOnce, &oneByOne}) {
    window->Import("m1 u1 o");
    window->Click("全部 联通 其他");
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    paths.push_back(atOnce.Write(std::to_string(i), files[i]));
    oneByOne.view.paths.emplace_back(oneByOne.Write(std::to_string(i), files[i]));
    oneByOne.Run([&] { oneByOne.logic.OnImport(); });
  }
  const std::vector<std::string> before = atOnce.ShownNumbers();
  int changed = 0;
  atOnce.view.whileWorkRuns = [&] {
    for (std::size_t item = 0; item < before.size(); ++item) changed += atOnce.numbers.NumberCopy(item) != before[item];
  };
  atOnce.ImportFiles(paths);

  EXPECT_EQ(changed, 0);
  EXPECT_EQ(atOnce.ShownNumbers(), oneByOne.ShownNumbers());
  EXPECT_EQ(atOnce.ShownNumbers().size(), 2 + 2 * 70002 / 5);
  EXPECT_EQ(atOnce.logic.Lists().Counts(), oneByOne.logic.Lists().Counts());
  EXPECT_EQ(atOnce.view.Messages().back(), "共计导入70,002个接收号码！");
  EXPECT_EQ(atOnce.view.workTotal, files[0].size() + files[1].size() + files[2].size());
}

// The list clicked, painted and read while an import's worker appends to the lists (before the progress
// window takes the input): the selection leaves the status line as it was until the work ended, and the
// list reads what it showed. Under ThreadSanitizer (scripts/test) this is the proof that nothing the
// window reads meanwhile races with the worker.
TEST(MainDialogLogicTest, ListReadWhileAnImportRunsRacesWithNothing) {
  Window window;
  window.Import("m1 u1 o");
  window.logic.OnSelection(1);
  const std::string selected = window.view.statusLine;
  int reads = 0;
  window.view.whileWorkRuns = [&] {
    for (std::size_t item = 0; item <= 3; ++item) {  // the last past the end
      window.logic.OnSelection(item);
      reads += window.numbers.NumberCopy(item) == (item < 3 ? Words("13900000001 13000000001 95588000")[item] : "");
    }
    window.logic.OnSelection(std::nullopt);
    EXPECT_EQ(window.view.statusLine, selected);
  };
  window.ImportFiles({window.Write("big.txt", Many(0, 200'000))});
  EXPECT_EQ(reads % 4, 0);
  EXPECT_GT(reads, 0);

  window.view.whileWorkRuns = nullptr;
  window.logic.OnSelection(0);  // now the first of the file: 13900000000
  EXPECT_EQ(window.view.statusLine, "13900000000：移动，新疆乌鲁木齐市");
}

// Each click of a box rebuilds the list (a reset) or appends a ticked category (an insertion at the
// end); boxes clicked under 全部 change nothing until it is cleared. The user is asked nothing.
TEST(MainDialogLogicTest, BoxesRebuildOrAppend) {
  // clang-format off
  const std::vector<std::array<const char*, 3>> steps = {  // box, shown, notification
      {"全部", "", "reset"},           {"其他", "o", "append 0+1"},   {"电信", "o", ""},
      {"移动", "o m1 m2", "append 1+2"}, {"其他", "m1 m2", "reset"},   {"全部", "m1 m2 u1 o", "reset"},
      {"联通", "m1 m2 u1 o", ""},        {"全部", "m1 m2 u1", "reset"}};
  // clang-format on
  Window window;
  window.Import("m1 u1 m2 o");
  window.view.log.clear();
  for (const auto& [box, shown, notification] : steps) {
    SCOPED_TRACE(box);
    const std::size_t before = window.numbers.notifications.size();
    window.Click(box);
    EXPECT_EQ(window.Shown(), shown);
    EXPECT_EQ(window.numbers.notifications.size() > before ? window.numbers.notifications.back() : "", notification);
  }
  EXPECT_EQ(window.view.log, Log{});
}

// 导出 writes what the list shows, in its order, over an existing file, thousands of numbers byte for
// byte: the typed separator in GBK, CR LF when nothing was typed. A file that cannot be written is
// named instead of "导出完毕".
TEST(MainDialogLogicTest, ExportsTheShownNumbersByteForByte) {
  Window window;
  window.ImportFiles({window.Write("a", Many(0, 5000)), window.Write("b", Many(2000, 5000, true))});
  window.Click("全部 电信 移动");
  for (const auto& [typed, written] : {std::pair{"", "\r\n"}, std::pair{"、", "\xA1\xA2"}}) {
    std::string expected;
    for (int category : {2, 0}) {
      for (int i = 0; i < 5000; ++i) expected += i % 5 == category ? ManyNumber(i) + written : "";
      for (int i = 2000; i < 7000; ++i) expected += i % 5 == category ? ManyNumber(i) + written : "";
    }
    window.view.log.clear();
    window.view.paths.emplace_back(window.Write("导出.txt", "old contents"));
    window.view.separators.emplace_back(typed);
    window.Run([&] { window.logic.OnExport(); });
    EXPECT_EQ(test::ReadFile(window.folder / "导出.txt"), expected);
    EXPECT_EQ(window.view.Messages(), Log{"导出完毕"});
  }
  window.view.paths.emplace_back(window.folder / "gone" / "out.txt");
  window.view.separators.emplace_back("");
  window.Run([&] { window.logic.OnExport(); });
  const std::string failed = window.view.Messages().back();
  EXPECT_TRUE(failed.starts_with("无法写入文件“" + PathInMessage(window.folder / "gone" / "out.txt") + "”："))
      << failed;
}

// 一键导出 writes each category's whole list, duplicates kept, whatever the list shows, over files that
// are there, and says nothing when each was written; one that cannot be (a folder has its name) is
// named, the others written all the same. A folder given with a separator at its end, as a drive's
// root is, names its files with one separator.
TEST(MainDialogLogicTest, ExportsEveryCategoryIntoTheFolder) {
  for (bool blocked : {false, true}) {
    SCOPED_TRACE(blocked);
    Window window;
    window.Import("m1 u1 m2 o");
    window.Import("o m1 h", "more.txt");
    window.Click("全部");
    const std::filesystem::path out = window.folder / "输出";
    std::filesystem::create_directory(out);
    for (std::string_view name : test::kCategoryFileNames) test::WriteFile(out / PathFromText(name), "old");
    const std::filesystem::path other = out / PathFromText("其他.txt");
    if (blocked) {
      std::filesystem::remove(other);
      std::filesystem::create_directory(other);
    }
    window.view.log.clear();
    window.view.paths.emplace_back(blocked ? out / "" : out);
    window.view.separators.emplace_back(",");
    window.Run([&] { window.logic.OnOneClickExport(); });

    const Log expected = {Sample("m1 m2 m1", ","), Sample("u1", ","), "", Sample("h", ","), Sample("o o", ",")};
    for (std::size_t i = 0; i < expected.size() - (blocked ? 1 : 0); ++i) {
      EXPECT_EQ(test::ReadFile(out / PathFromText(test::kCategoryFileNames[i])), expected[i]) << i;
    }
    // Told without a message box, and only when every file was written.
    EXPECT_EQ(window.view.statusLine, blocked ? "" : "已把7个号码导出到5个文件，位于“" + PathInMessage(out) + "”");
    const Log messages = window.view.Messages();
    ASSERT_EQ(messages.size(), blocked ? 1U : 0U);
    if (blocked) {
      EXPECT_TRUE(messages[0].starts_with("无法写入文件“" + PathInMessage(other) + "”：")) << messages[0];
    }
    EXPECT_EQ(window.Shown(), "");
  }
}

// Each export stops where the user stops it: a cancelled prompt before the separator is asked for,
// "导出格式" closed by Esc (the folder exports), the separator dialog closed by Esc or its close box, a
// separator that GBK cannot hold (refused). Either way nothing is written, no work starts, and the
// window shows what it showed.
TEST(MainDialogLogicTest, WritesNothingWhenAnExportIsStopped) {
  enum class Stop { Prompt, KindDialog, SeparatorDialog, NotGbk };
  struct Export {
    const char* name;
    Log asked;  // before the separator
    std::function<void(Window&)> start;
  };
  const Export exports[] = {
      {"导出", {"ChooseSaveFile 选择要导出的号码文件 txt"}, [](Window& w) { w.logic.OnExport(); }},
      {"一键导出", {"ChooseFolder 所选择路径:   "}, [](Window& w) { w.logic.OnOneClickExport(); }},
      {"按地区导出",
       {"AskAreaLevel", "ChooseFolder 所选择路径:   "},
       [](Window& w) {
         w.view.areaLevels.emplace_back(AreaLevel::City);
         w.logic.OnExportByArea();
       }},
  };
  const std::string refused = "ShowMessage " + std::string(res::LoadUtf8String(res::IDS_SEPARATOR_NOT_GBK));
  for (const Export& e : exports) {
    for (Stop stop : {Stop::Prompt, Stop::KindDialog, Stop::SeparatorDialog, Stop::NotGbk}) {
      SCOPED_TRACE(std::string(e.name) + " " + std::to_string(static_cast<int>(stop)));
      const bool folder = e.asked.back().starts_with("ChooseFolder");
      if (stop == Stop::KindDialog && !folder) continue;
      Window window;
      window.Import("m1 h o");
      for (std::string_view file : test::kCategoryFileNames) window.Write(file, "old");
      const State before = window.Now();
      window.view.log.clear();
      if (stop != Stop::Prompt)
        window.view.paths.emplace_back(folder ? window.folder.path() : window.folder / "out.txt");
      if (stop == Stop::KindDialog) window.view.exportKinds.emplace_back(std::nullopt);
      window.view.separators.emplace_back(stop == Stop::NotGbk ? std::optional<std::string>("，😀") : std::nullopt);
      window.Run([&] { e.start(window); });

      Log log = e.asked;
      if (stop != Stop::Prompt && folder) log.push_back("AskExportKind");
      if (stop != Stop::Prompt && stop != Stop::KindDialog) log.push_back("AskSeparator");
      if (stop == Stop::NotGbk) log.push_back(refused);
      EXPECT_EQ(window.view.log, log);
      EXPECT_TRUE(window.Now() == before);
    }
  }
}

// 号码分析 lists the chosen numbers of the larger file and says what it found, in the command line's
// words, naming the file listed; the counts stay. A file that cannot be read is named and the list
// keeps what it showed, as when the dialog was cancelled. While the list holds the result, the status
// line says so (a selection cleared too), the boxes show clear and the area choice is disabled, also
// after other work; 导出 writes the result.
TEST(MainDialogLogicTest, ComparesTwoFilesIntoTheList) {
  struct Case {
    const char* file1;  // nullptr: cancelled
    const char* file2;
    ComparisonMode mode;
    const char* shown;
    const char* found;  // the message's first line; nullptr: none, or the missing file's
  };
  const Case cases[] = {{"larger", "smaller", ComparisonMode::FindDifferent, "m1 t", "找到2个不同的号码"},
                        {"smaller", "larger", ComparisonMode::FindSame, "u1", "找到1个相同的号码"},
                        {"gone", "larger", ComparisonMode::FindSame, "m2", nullptr},
                        {"larger", "gone", ComparisonMode::FindDifferent, "m2", nullptr},
                        {nullptr, nullptr, ComparisonMode::FindSame, "m2", nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file1 ? std::string(c.file1) + " " + c.file2 : "cancelled");
    Window window;
    window.Import("m2 u2");
    window.Click("全部 移动");
    window.Write("larger", "+86" + Sample("m1 u1 t"));
    window.Write("smaller", Sample("u1"));
    const State before = window.Now();
    window.view.log.clear();
    if (c.file1) {
      window.view.comparisons.push_back(ComparisonRequest{window.folder / c.file1, window.folder / c.file2, c.mode});
    }
    window.Run([&] { window.logic.OnAnalysis(); });

    EXPECT_EQ(window.Shown(), c.shown);
    EXPECT_EQ(window.logic.Lists().Counts(), before.counts);
    const bool missing = c.file1 && !c.found;
    if (!c.found) {
      EXPECT_EQ(window.view.Messages(), missing ? Log{MissingFileMessage(window.folder / "gone")} : Log{});
      EXPECT_EQ(window.view.status, before.status);
      EXPECT_TRUE(window.view.areaChoiceEnabled);
      continue;
    }
    EXPECT_EQ(window.view.Messages(), Log{std::string(c.found) + "\n列表中是“larger”（两个文件中较大的一个）中的号码"});
    const std::string status = "号码分析的结果：“larger”中" + std::string(c.found) + "。点选上方的类别可回到号码列表";
    EXPECT_EQ(window.view.status, status);
    EXPECT_TRUE(!window.view.boxes.all && window.view.boxes.ticked == CategoryFilter{});
    EXPECT_FALSE(window.view.areaChoiceEnabled);
    window.logic.OnSelection(0);
    window.logic.OnSelection(std::nullopt);
    EXPECT_EQ(window.view.statusLine, status);

    window.view.paths.emplace_back(window.folder / "out.txt");
    window.view.separators.emplace_back("");
    window.Run([&] { window.logic.OnExport(); });
    EXPECT_EQ(test::ReadFile(window.folder / "out.txt"), Sample(c.shown));
    EXPECT_FALSE(window.view.areaChoiceEnabled);
  }
}

// 号码分析 against a hashed list lists the number file, the smaller one here, and says what was matched
// and what was left out; a list mixed with numbers is named in the message box and the list keeps what
// it showed.
TEST(MainDialogLogicTest, MatchesAgainstAHashedList) {
  Digester md5(DigestKind::Md5);
  std::string list;
  for (const std::string& number : {std::string("13900000001"), std::string("13300000001")}) {
    std::string hex(32, '\0');
    md5.HexDigest(number, hex.data());
    list += hex + "\r\n";
  }
  const std::string matched =
      "\n列表中是“numbers”中的号码\n“list”是MD5值列表，比较的是“numbers”中号码的MD5值；"
      "“numbers”中有1项不是号码，未参与比较";
  const struct {
    const char* name;
    std::string list;
    ComparisonMode mode;
    const char* shown;
    std::string found;  // nothing when the list is refused
  } cases[] = {
      {"Same", list + list + list, ComparisonMode::FindSame, "m1 t", "找到2个相同的号码"},
      {"Different", list + list + list, ComparisonMode::FindDifferent, "u1", "找到1个不同的号码"},
      {"Mixed", list + Sample("m2"), ComparisonMode::FindSame, "m2", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Window window;
    window.Import("m2");
    const State before = window.Now();
    window.view.log.clear();
    const std::filesystem::path numbers = window.Write("numbers", Sample("m1 u1 t") + "note1234");
    window.view.comparisons.push_back(ComparisonRequest{window.Write("list", c.list), numbers, c.mode});
    window.Run([&] { window.logic.OnAnalysis(); });

    EXPECT_EQ(window.Shown(), c.shown);
    if (c.found.empty()) {
      EXPECT_EQ(window.view.Messages(),
                Log{"无法读取文件“" + PathInMessage(window.folder / "list") +
                    "”：其中既有散列值又有别的内容：共3项，MD5值（32位十六进制数）2项，SHA-256值（64位十六进制数）0项。"
                    "散列值列表只能全是同一种散列值，号码文件中不能有散列值"});
      EXPECT_EQ(window.view.status, before.status);
      continue;
    }
    EXPECT_EQ(window.view.Messages(), Log{c.found + matched});
    EXPECT_EQ(window.view.status, "号码分析的结果：“numbers”中" + c.found + "。点选上方的类别可回到号码列表");
  }
}

// Over a comparison's result, a box clicked shows the lists as the boxes now say, and an import shows
// them as they said before (the result gone, the new numbers in); either way the status line, the
// boxes and the area choice are the lists' again. A import that fails keeps the result.
TEST(MainDialogLogicTest, GoesBackFromAComparisonToTheLists) {
  struct Case {
    const char* action;  // a box, "导入" or "导入 gone"
    const char* shown;
    bool all;
    CategoryFilter ticked;
  };
  const Case cases[] = {{"联通", "u2", false, {false, true, false, false, false}},
                        {"全部", "m2 u2", true, {}},
                        {"导入", "m2 m1", false, {true, false, false, false, false}},
                        {"导入 gone", "u1", false, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.action);
    Window window;
    window.Import("m2 u2");
    window.Click("全部 移动");
    window.view.comparisons.push_back(ComparisonRequest{
        window.Write("a", Sample("u1")), window.Write("b", Sample("m1")), ComparisonMode::FindDifferent});
    window.Run([&] { window.logic.OnAnalysis(); });
    ASSERT_EQ(window.Shown(), "u1");
    const std::string status = window.view.status;

    const std::string action = c.action;
    if (action == "导入") {
      window.Import("h m1", "more.txt");
    } else if (action == "导入 gone") {
      window.ImportFiles({window.folder / "gone"});
    } else {
      window.Click(action);
    }
    EXPECT_EQ(window.Shown(), c.shown);
    const bool back = action != "导入 gone";
    EXPECT_EQ(window.view.status, back ? StatusText(window.logic.Lists().Counts(), CountForm::Grouped) : status);
    EXPECT_EQ(window.view.boxes.all, c.all);
    EXPECT_EQ(window.view.boxes.ticked, c.ticked);
    EXPECT_EQ(window.view.areaChoiceEnabled, back);
  }
}

// The table choice, step by step: another table sorts every number again and shows what the boxes let
// in; the table in use again does nothing; a table file that cannot be had chooses the entry in use
// back; a loaded one is named, and chosen again without a prompt. Later imports use the table in use.
TEST(MainDialogLogicTest, SwitchesPrefixTables) {
  const Log rebuild = {"EnableCommands off", "RunWork 正在按新号段表重新分类…", "EnableCommands on"};
  const std::string prompt = "ChooseOpenFile 选择号段表文件";
  struct Step {
    int entry;
    const char* answer;  // for the table prompt; nullptr cancels it
    Log log;             // <path> is the answer's
    const char* shown;
  };
  // clang-format off
  const Step steps[] = {
      {MainDialogLogic::kCurrentTable, nullptr, {"ShowCounts 2 1 1 0 1"}, "x m1 u1 y o"},
      {MainDialogLogic::kCurrentTable, nullptr, {}, "x m1 u1 y o"},
      {MainDialogLogic::kLoadTableEntry, nullptr, {prompt, "ChooseTableEntry 1"}, "x m1 u1 y o"},
      {MainDialogLogic::kLoadTableEntry, "bad.txt",
       {prompt, "ShowMessage 号段表“<path>”第3行：号段139重复（第2行已有）", "ChooseTableEntry 1"}, "x m1 u1 y o"},
      {MainDialogLogic::kLoadTableEntry, "我的号段.txt",
       {prompt, "ShowLoadedTable 我的号段.txt <path>", "ShowCounts 0 1 1 0 3"}, "x m1 o y u1"},
      {MainDialogLogic::kOriginalTable, nullptr, {"ShowCounts 1 1 0 0 3"}, "m1 u1 x o y"},
      {MainDialogLogic::kLoadedTable, nullptr, {"ShowCounts 0 1 1 0 3"}, "x m1 o y u1"},
  };
  // clang-format on
  Window window;
  window.Import("x m1 o y u1");
  window.Write("bad.txt", "# mine\n139 移动\n139 联通\n");
  window.Write("我的号段.txt", "182 联通\n139 电信\n");
  for (const Step& step : steps) {
    SCOPED_TRACE(std::to_string(step.entry) + (step.answer ? step.answer : ""));
    window.view.log.clear();
    if (step.answer) window.view.paths.emplace_back(window.folder / step.answer);
    window.Run([&] { window.logic.OnTableChosen(step.entry); });
    Log log;
    for (std::string entry : window.view.log) {
      if (entry.starts_with("ShowCounts ")) {  // as counts, and the status line saying the same
        EXPECT_EQ(entry, "ShowCounts " + StatusText(window.view.counts, CountForm::Grouped));
        entry = "ShowCounts";
        for (std::uint64_t count : window.view.counts) entry += " " + std::to_string(count);
      }
      const std::string path = PathInMessage(window.folder / (step.answer ? step.answer : "-"));
      if (const std::size_t at = entry.find(path); at != std::string::npos) entry.replace(at, path.size(), "<path>");
      if (std::find(rebuild.begin(), rebuild.end(), entry) == rebuild.end()) log.push_back(entry);
    }
    EXPECT_EQ(log, step.log);
    EXPECT_EQ(window.view.log.size() - log.size(),
              !step.log.empty() && step.log.back().starts_with("ShowCounts") ? 3U : 0U);
    EXPECT_EQ(window.Shown(), step.shown);
  }
  window.Import("m2", "more.txt");
  EXPECT_EQ(window.logic.Lists()[NumberCategory::Telecom].size(), 2U);
}

// 去除重复号码 keeps each number's first occurrence in import order, by its normalised text, and shows
// what the boxes let in; with nothing left to remove it says so. 清空 forgets every number.
TEST(MainDialogLogicTest, RemovesRepeatsAmongThousandsAndClears) {
  Window window;
  window.ImportFiles({window.Write("a", Many(0, 6000) + Many(0, 1000)), window.Write("b", Many(3000, 6000, true))});
  window.Click("全部 联通 其他");
  std::vector<std::string> kept;
  for (int category : {1, 4}) {
    for (int i = category; i < 9000; i += 5) kept.push_back(ManyNumber(i));
  }
  for (const char* removed : {"去除了4,000个重复号码", "去除了0个重复号码"}) {
    window.Run([&] { window.logic.OnRemoveRepeats(); });
    EXPECT_EQ(window.ShownNumbers(), kept);
    EXPECT_EQ(window.view.status,
              "当前共有9,000个号码，移动1,800个，联通1,800个，电信1,800个，小灵通1,800个，其他1,800个");
    EXPECT_EQ(window.view.log.back(), std::string("ShowMessage ") + removed);
    EXPECT_EQ(window.numbers.notifications.back(), "reset");
  }
}

// 清空 asks first while there are numbers (or a comparison's result) and forgets them only on 是; with
// nothing to forget it asks nothing.
TEST(MainDialogLogicTest, ClearsOnlyOnceTheUserSaidYes) {
  struct Case {
    const char* imported;  // "" none; "result": an empty list holding a comparison's result
    bool yes;
    const char* question;  // nullptr: none asked
  };
  const Case cases[] = {{"m1 u1 o", false, "确定要清空全部3个号码吗？"},
                        {"m1 u1 o", true, "确定要清空全部3个号码吗？"},
                        {"result", true, "确定要清空全部1个号码吗？"},
                        {"", true, nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.imported) + (c.yes ? " yes" : " no"));
    Window window;
    if (std::string_view(c.imported) == "result") {
      window.view.comparisons.push_back(
          ComparisonRequest{window.Write("a", Sample("m1")), window.Write("b", ""), ComparisonMode::FindDifferent});
      window.Run([&] { window.logic.OnAnalysis(); });
    } else if (*c.imported) {
      window.Import(c.imported);
    }
    const State before = window.Now();
    window.view.log.clear();
    window.view.yesNo.push_back(c.yes);
    window.Run([&] { window.logic.OnClearNumbers(); });

    Log asked;
    for (const std::string& entry : window.view.log) {
      if (entry.starts_with("AskYesNo ")) asked.push_back(entry);
    }
    EXPECT_EQ(asked, c.question ? Log{"AskYesNo " + std::string(c.question)} : Log{});
    if (!c.yes) {
      EXPECT_TRUE(window.Now() == before);
      continue;
    }
    EXPECT_EQ(window.Shown(), "");
    EXPECT_EQ(window.logic.Lists().size(), 0U);
    EXPECT_EQ(window.view.status, "当前共有0个号码，移动0个，联通0个，电信0个，小灵通0个，其他0个");
  }
}

// Work that does not end as it should, for each command that runs work: 取消 (at once, or for an
// import of several files while it reads the last), the window closed, running out of memory.
// Nothing changes (the list, the counts, the status, the table, any file); the commands are disabled
// while the work runs; the window closes once it ended; only running out of memory is told.
TEST(MainDialogLogicTest, InterruptedWorkChangesNothing) {
  // clang-format off
  const std::vector<std::tuple<std::string, int, std::function<void(Window&)>>> commands = {  // and wait cursors
      {"导入", 1, [](Window& w) { w.logic.ImportFiles({w.folder / "first.txt", w.folder / "big.txt"}); }},
      {"导出", 1,
       [](Window& w) {
         w.view.paths.emplace_back(w.folder / "out.txt");
         w.view.separators.emplace_back("");
         w.logic.OnExport();
       }},
      {"一键导出", 0,
       [](Window& w) {
         w.view.paths.emplace_back(w.folder.path());
         w.view.separators.emplace_back("");
         w.logic.OnOneClickExport();
       }},
      {"号码分析", 0,
       [](Window& w) {
         w.view.comparisons.push_back(ComparisonRequest{w.folder / "big.txt", w.folder / "first.txt", {}});
         w.logic.OnAnalysis();
       }},
      {"最新号段", 1, [](Window& w) { w.logic.OnTableChosen(MainDialogLogic::kCurrentTable); }},
      {"去除重复号码", 1, [](Window& w) { w.logic.OnRemoveRepeats(); }},
      {"归属地表", 1,
       [](Window& w) {
         w.view.paths.emplace_back(w.folder / "areas.txt");
         w.logic.OnAreaTableChosen(MainDialogLogic::kLoadTableEntry);
       }}};
  // clang-format on
  enum Interruption { kCancel, kStopPartWay, kClose, kNoMemory };
  const std::string big = Many(0, 400'000);  // read past the first progress report
  for (const auto& [name, cursors, start] : commands) {
    for (Interruption interruption : {kCancel, kStopPartWay, kClose, kNoMemory}) {
      if (interruption == kStopPartWay && name != "导入") continue;
      SCOPED_TRACE(name + " " + std::to_string(interruption));
      Window window;
      window.Import("m1 u1 t m1 x y");
      window.Write("first.txt", Sample("h o"));
      window.Write("big.txt", big);
      window.Write("out.txt", "old export");
      window.Write("areas.txt", "139\t海南省\t三沙市\n");
      for (std::string_view file : test::kCategoryFileNames) window.Write(file, "old");
      window.Click("全部 联通 移动");
      const State before = window.Now();
      window.view.log.clear();

      bool disabled = false;
      window.view.whileWorking = [&] {
        disabled = !window.view.commandsEnabled && window.logic.WorkRunning() && window.view.waitCursorDepth == cursors;
        if (interruption == kCancel) window.view.CancelWork();
        if (interruption == kClose) {
          EXPECT_FALSE(window.logic.OnClose());
        }
      };
      if (interruption == kStopPartWay) window.view.stopAfter = 1;
      window.view.failNextWork = interruption == kNoMemory;
      window.Run([&] { start(window); });

      EXPECT_TRUE(disabled);
      EXPECT_TRUE(window.Now() == before);
      EXPECT_EQ(window.view.Messages(), interruption == kNoMemory ? Log{"内存不足，无法完成这个操作"} : Log{});
      const Log& log = window.view.log;
      EXPECT_EQ(std::count(log.begin(), log.end(), "ChooseTableEntry 0"), name == "最新号段" ? 1 : 0);
      EXPECT_EQ(std::count(log.begin(), log.end(), "ChooseAreaTableEntry 0"), name == "归属地表" ? 1 : 0);
      EXPECT_EQ(std::count(log.begin(), log.end(), "CloseLater"), interruption == kClose ? 1 : 0);
      EXPECT_TRUE(window.logic.OnClose());
    }
  }
}

// The window closed (twice) while work runs closes once the work ended, and a later command does not
// close it again.
void ClosesOnceTheWorkEnded(bool outOfMemory) {
  Window window;
  window.Write("a.txt", Sample("m1 u1"));
  window.view.whileWorking = [&] { EXPECT_FALSE(window.logic.OnClose() || window.logic.OnClose()); };
  window.view.failNextWork = outOfMemory;
  window.ImportFiles({window.folder / "a.txt"});
  const Log& log = window.view.log;
  EXPECT_EQ(std::count(log.begin(), log.end(), "CancelWork"), 2);
  EXPECT_EQ(std::count(log.begin(), log.end(), "CloseLater"), 1);

  window.view.whileWorking = nullptr;
  window.view.log.clear();
  window.ImportFiles({window.folder / "a.txt"});
  EXPECT_EQ(window.view.Messages(), Log{"共计导入2个接收号码！"});
  EXPECT_EQ(std::count(log.begin(), log.end(), "CloseLater"), 0);
}

TEST(MainDialogLogicTest, ClosesOnceTheWorkEnded) { ClosesOnceTheWorkEnded(false); }

// A close asked for while the work ran out of memory is kept, not left for the next command's end.
TEST(MainDialogLogicTest, ClosesOnceTheWorkThatRanOutOfMemoryEnded) { ClosesOnceTheWorkEnded(true); }

}  // namespace
}  // namespace zelvane
