// The window logic's home areas: the area choice and its counts, the list narrowed by area and boxes
// together, imports and exports while an area is chosen, the area table choice, a selected number's
// status line and 按地区导出.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <sstream>

#include "tests/doubles/scripted_view.h"
#include "tests/support/test_files.h"
#include "ui/logic/main_dialog_logic.h"
#include "ui/logic/report_dialog_logic.h"

namespace zelvane {
namespace {

using Log = std::vector<std::string>;

// Where the built-in table puts numbers of these prefixes (zelvane-cli lookup says the same); "" for
// 未知地区. count numbers of each in a file: 广东省 3,100, 浙江省 1,800, 北京市 750, 未知地区 500.
// clang-format off
struct Place { const char *prefix, *province, *city, *carrier; int count; };
constexpr Place kPlaces[] = {
    {"1390231", "广东省", "深圳市", "移动", 1500}, {"1330231", "广东省", "深圳市", "电信", 400},
    {"1300660", "广东省", "深圳市", "联通", 300}, {"1390007", "广东省", "广州市", "移动", 700},
    {"0757", "广东省", "佛山市", "小灵通", 200}, {"1390065", "浙江省", "杭州市", "移动", 900},
    {"1330571", "浙江省", "杭州市", "电信", 600}, {"0574", "浙江省", "宁波市", "小灵通", 300},
    {"1390009", "北京市", "北京市", "移动", 500}, {"010", "北京市", "北京市", "小灵通", 250},
    {"199", "", "", "其他", 400}, {"95588", "", "", "其他", 100}};

struct Item { std::string number; const Place* place; };
// clang-format on

// Number j of a place: its prefix and j, 11 digits (95588 and 4 digits).
std::string NumberOf(const Place& place, int j) {
  const std::string digits = std::to_string(j);
  const std::size_t length = std::string_view(place.prefix) == "95588" ? 9 : 11;
  return place.prefix + std::string(length - std::strlen(place.prefix) - digits.size(), '0') + digits;
}

// The places' numbers taken in turn (a fifth of each count when small) from j = first on, every
// seventh mobile written with +86: the file's bytes, and the numbers as normalised appended to items.
std::string PlacesFile(int first, bool small, std::vector<Item>& items) {
  std::string bytes;
  for (int round = 0; round < 1500; ++round) {
    for (const Place& place : kPlaces) {
      if (round >= (small ? place.count / 5 : place.count)) continue;
      items.push_back({NumberOf(place, first + round), &place});
      bytes += (place.prefix[0] == '1' && items.size() % 7 == 0 ? "+86" : "") + items.back().number + "\r\n";
    }
  }
  return bytes;
}

// The numbers of the area ("": any), carrier after carrier as named ("电信 移动"), each in import order.
Log Expected(const std::vector<Item>& items, std::string_view carriers, std::string_view area) {
  std::istringstream names{std::string(carriers)};
  Log numbers;
  for (std::string carrier; names >> carrier;) {
    for (const auto& [number, place] : items) {
      const bool inArea =
          area.empty() || area == place->province || area == place->city || (area == "未知地区" && !*place->province);
      if (place->carrier == carrier && inArea) numbers.push_back(number);
    }
  }
  return numbers;
}

constexpr const char* kAll = "移动 联通 电信 小灵通 其他";

struct Window {
  test::TemporaryFolder folder;
  test::ScriptedView view;
  test::RecordingNumbers numbers;
  MainDialogLogic logic{view, numbers};
  std::vector<Item> items;  // every number imported, in import order

  Window() { logic.ShowAreas(); }
  void Run(const std::function<void()>& command) {
    const std::size_t before = numbers.notifications.size();
    logic.RunCommand(command);
    EXPECT_LE(numbers.notifications.size(), before + 1);
    EXPECT_TRUE(view.waitCursorDepth == 0 && view.commandsEnabled);
  }
  void ImportPlaces(int first = 0, bool small = false) {
    test::WriteFile(folder / "numbers.txt", PlacesFile(first, small, items));
    view.paths.emplace_back(folder / "numbers.txt");
    Run([&] { logic.OnImport(); });
  }
  void Choose(std::size_t entry) {
    Run([&] { logic.OnAreaChosen(entry); });
  }
  // A box toggled as the window shows it, then its click handled.
  void Click(std::string_view box) {
    BoxStates& states = view.boxes;
    std::optional<NumberCategory> category;
    for (NumberCategory c : kAllCategories) category = CategoryLabel(c) == box ? c : category;
    bool& state = category ? states.ticked[CategoryIndex(*category)] : states.all;
    state = !state;
    Run([&] { logic.OnBox(category, states); });
  }
  Log Shown() const { return {numbers.Numbers().begin(), numbers.Numbers().end()}; }
  // The area choice's entries, the chosen one in brackets.
  std::string Entries() const {
    std::string text;
    for (std::size_t i = 0; i < view.areas.size(); ++i) {
      const std::string& label = view.areas[i].label;
      text += (i ? "|" : "") + (i == view.chosenArea ? "[" + label + "]" : label);
    }
    return text;
  }
};

// Thousands of numbers over three provinces, six cities and five carriers: provinces by count, counts
// grouped by thousands; a chosen province opens to its cities and stays open while one of them is
// chosen. Area and boxes narrow the list together, whichever changed last; 未知地区 holds the rest.
TEST(AreaLogicTest, AreaAndBoxesNarrowTheListTogether) {
  const std::string tail = "|浙江省 (1,800)|北京市 (750)|未知地区 (500)";
  struct Step {
    const char* action;  // an entry's index, or a box
    const char* carriers;
    const char* area;
    std::string entries;  // "": as before
  };
  // clang-format off
  const Step steps[] = {
      {"1", kAll, "广东省", "全部地区|[广东省 (3,100)]|　深圳市 (2,200)|　广州市 (700)|　佛山市 (200)" + tail},
      {"2", kAll, "深圳市", "全部地区|广东省 (3,100)|[　深圳市 (2,200)]|　广州市 (700)|　佛山市 (200)" + tail},
      {"全部", "", "深圳市", ""},
      {"电信", "电信", "深圳市", ""},
      {"移动", "电信 移动", "深圳市", ""},
      {"1", "移动 电信", "广东省", ""},
      {"5", "移动 电信", "浙江省",
       "全部地区|广东省 (3,100)|[浙江省 (1,800)]|　杭州市 (1,500)|　宁波市 (300)|北京市 (750)|未知地区 (500)"},
      {"小灵通", "移动 电信 小灵通", "浙江省", ""},
      {"4", "移动 电信 小灵通", "宁波市", ""},
      {"6", "移动 电信 小灵通", "未知地区", "全部地区|广东省 (3,100)|浙江省 (1,800)|北京市 (750)|[未知地区 (500)]"},
      {"其他", "移动 电信 小灵通 其他", "未知地区", ""},
      {"0", "移动 电信 小灵通 其他", "", "[全部地区]|广东省 (3,100)" + tail},
      {"全部", kAll, "", ""},
  };
  // clang-format on
  Window window;
  EXPECT_EQ(window.Entries(), "[全部地区]|未知地区 (0)");
  window.ImportPlaces();
  ASSERT_EQ(window.items.size(), 6150U);
  EXPECT_EQ(window.Entries(), "[全部地区]|广东省 (3,100)" + tail);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.action);
    if (*step.action >= '0' && *step.action <= '9') {
      window.Choose(static_cast<std::size_t>(*step.action - '0'));
    } else {
      window.Click(step.action);
    }
    EXPECT_EQ(window.Shown(), Expected(window.items, step.carriers, step.area));
    if (!step.entries.empty()) {
      EXPECT_EQ(window.Entries(), step.entries);
    }
  }
  EXPECT_EQ(window.view.status, StatusText({3600, 300, 1000, 750, 500}, CountForm::Grouped));
}

// An import while an area and a box are chosen adds only the new numbers of both, the old ones kept in
// their order, and counts every number. 导出 then writes exactly the list.
TEST(AreaLogicTest, ImportAndExportKeepToTheChosenArea) {
  Window window;
  window.ImportPlaces();
  window.Choose(2);  // 浙江省
  window.Click("全部");
  window.Click("电信");
  const Log before = window.Shown();
  ASSERT_EQ(before.size(), 600U);
  const std::size_t first = window.items.size();
  window.ImportPlaces(5000, true);

  const Log shown = window.Shown();
  const std::set<std::string> earlier(before.begin(), before.end());
  Log old, added;
  for (const std::string& number : shown) (earlier.contains(number) ? old : added).push_back(number);
  EXPECT_EQ(old, before);
  EXPECT_EQ(added, Expected({window.items.begin() + static_cast<std::ptrdiff_t>(first), window.items.end()}, "电信",
                            "浙江省"));
  EXPECT_EQ(added.size(), 120U);
  EXPECT_EQ(window.Entries(),
            "全部地区|广东省 (3,720)|[浙江省 (2,160)]|　杭州市 (1,800)|　宁波市 (360)|北京市 (900)|未知地区 (600)");
  EXPECT_EQ(window.logic.Lists().size(), 7380U);

  window.view.paths.emplace_back(window.folder / "导出.txt");
  window.view.separators.emplace_back("");
  window.Run([&] { window.logic.OnExport(); });
  std::string expected;
  for (const std::string& number : shown) expected += number + "\r\n";
  EXPECT_EQ(test::ReadFile(window.folder / "导出.txt"), expected);
}

// The area table choice step by step: a table file of one's own (UTF-8, with a mark) that makes 19x
// known shows every area again; a bad table is named with its line and the entry in use chosen back,
// as for a cancel or a missing file, and nothing changes; a loaded table comes back without a prompt.
TEST(AreaLogicTest, SwitchesAreaTables) {
  const std::string prompt = "ChooseOpenFile 选择归属地表文件";
  const std::string duplicate = "ShowMessage 归属地表“<path>”第4行：号段199重复（第2行已有）";
  const std::string builtIn = "[全部地区]|广东省 (3,100)|浙江省 (1,800)|北京市 (750)|未知地区 (500)";
  const std::string mine = "[全部地区]|广东省 (1,500)|海南省 (400)|未知地区 (4,250)";
  const std::string work = "RunWork 正在按新归属地表查找归属地…";
  struct Step {
    int entry;
    const char* answer;   // for the prompt; nullptr cancels it
    Log log;              // <path> is the answer's
    std::string entries;  // "": as before
  };
  // clang-format off
  const Step steps[] = {
      {-1, nullptr, {prompt, "ChooseAreaTableEntry 0"}, ""},
      {-1, "bad.txt", {prompt, duplicate, "ChooseAreaTableEntry 0"}, ""},
      {-1, "gone.txt", {prompt, "ShowMessage 无法读取文件“<path>”：文件或文件夹不存在", "ChooseAreaTableEntry 0"}, ""},
      {-1, "我的归属地.txt", {prompt, work, "ShowLoadedAreaTable 我的归属地.txt <path>", "ShowCounts"}, mine},
      {1, nullptr, {}, mine},
      {0, nullptr, {work, "ShowCounts"}, builtIn},
      {1, nullptr, {work, "ShowCounts"}, mine},
      {-1, "bad.txt", {prompt, duplicate, "ChooseAreaTableEntry 1"}, mine},
  };
  // clang-format on
  Window window;
  window.ImportPlaces();
  test::WriteFile(window.folder / "bad.txt", "# 两条199\n199 海南省 三沙市\n\n199\t海南省\t海口市\n");
  test::WriteFile(window.folder / "我的归属地.txt",
                  "\xEF\xBB\xBF# 自己的\r\n199\t海南省\t三沙市\r\n13902  广东省  深圳市\r\n");
  window.Choose(3);  // 北京市, until another table is in use
  std::string entries = window.Entries();
  for (const Step& step : steps) {
    SCOPED_TRACE(std::to_string(step.entry) + (step.answer ? step.answer : ""));
    window.view.log.clear();
    if (step.answer) window.view.paths.emplace_back(window.folder / step.answer);
    window.Run([&] { window.logic.OnAreaTableChosen(step.entry); });
    Log log;
    for (std::string entry : window.view.log) {
      if (entry.starts_with("EnableCommands ")) continue;
      if (entry.starts_with("ShowCounts ")) entry = "ShowCounts";
      const std::string path = PathInMessage(window.folder / (step.answer ? step.answer : "-"));
      if (const std::size_t at = entry.find(path); at != std::string::npos) entry.replace(at, path.size(), "<path>");
      log.push_back(entry);
    }
    EXPECT_EQ(log, step.log);
    entries = step.entries.empty() ? entries : step.entries;
    EXPECT_EQ(window.Entries(), entries);
    EXPECT_EQ(window.Shown().size(), step.entries.empty() ? 750U : 6150U);
  }
  window.Choose(2);  // 海南省: the 19x numbers
  Log hainan;
  for (const Item& item : window.items) {
    if (item.number.starts_with("199")) hainan.push_back(item.number);
  }
  EXPECT_EQ(window.Shown(), hainan);
  window.logic.OnSelection(1);
  EXPECT_EQ(window.view.statusLine, hainan[1] + "：其他，海南省三沙市");
}

// One selected number: its carrier by the prefix table in use, its province and city (a municipality
// once, 未知地区 alone) by the area table in use. None or several selected: the counts again.
TEST(AreaLogicTest, StatusLineNamesTheSelectedNumbersCarrierAndArea) {
  const std::pair<int, const char*> cases[] = {// the prefix table, the status line
                                               {MainDialogLogic::kOriginalTable, "13902310007：移动，广东省深圳市"},
                                               {MainDialogLogic::kOriginalTable, "01000000003：小灵通，北京市"},
                                               {MainDialogLogic::kOriginalTable, "07570000199：小灵通，广东省佛山市"},
                                               {MainDialogLogic::kOriginalTable, "955880099：其他，未知地区"},
                                               {MainDialogLogic::kCurrentTable, "19900000005：电信，未知地区"}};
  Window window;
  window.ImportPlaces();
  for (const auto& [table, status] : cases) {
    SCOPED_TRACE(status);
    window.Run([&] { window.logic.OnTableChosen(table); });
    const Log shown = window.Shown();
    const std::string number(std::string_view(status).substr(0, std::string_view(status).find("：")));
    const auto item = std::find(shown.begin(), shown.end(), number);
    ASSERT_NE(item, shown.end());
    window.logic.OnSelection(static_cast<std::size_t>(item - shown.begin()));
    EXPECT_EQ(window.view.statusLine, status);
    window.logic.OnSelection(std::nullopt);
    EXPECT_EQ(window.view.statusLine, StatusText(window.logic.Lists().Counts(), CountForm::Grouped));
  }
  window.logic.OnSelection(window.Shown().size());
  EXPECT_EQ(window.view.statusLine, StatusText(window.logic.Lists().Counts(), CountForm::Grouped));
}

// A selected token of text (GBK, as the file holds it) shows as that text, character by character: a
// second byte in the ASCII range (丂 is 81 40) belongs to its character, not shown as "@".
TEST(AreaLogicTest, StatusLineShowsASelectedTextTokenAsItsText) {
  struct Case {
    std::string_view token;  // GBK
    std::string_view status;
  };
  const Case cases[] = {{"\xD6\xD0\xCE\xC4", "中文：其他，未知地区"},
                        {"\x81\x40\x81\x40", "丂丂：其他，未知地区"},
                        {"\xB5\xE7\xBB\xB0"
                         "95588",
                         "电话95588：其他，未知地区"},
                        {"95588\xB5\xE7", "95588电：其他，未知地区"},
                        {"13902310007", "13902310007：移动，广东省深圳市"}};
  Window window;
  std::string file;
  for (const auto& [token, status] : cases) file += std::string(token) + "\r\n";
  test::WriteFile(window.folder / "text.txt", file);
  window.view.paths.emplace_back(window.folder / "text.txt");
  window.Run([&] { window.logic.OnImport(); });
  ASSERT_EQ(window.Shown().size(), std::size(cases));
  for (const auto& [token, status] : cases) {
    SCOPED_TRACE(status);
    const Log shown = window.Shown();
    const auto item = std::find(shown.begin(), shown.end(), token);
    ASSERT_NE(item, shown.end());
    window.logic.OnSelection(static_cast<std::size_t>(item - shown.begin()));
    EXPECT_EQ(window.view.statusLine, status);
  }
}

// 按地区导出 writes every number, whatever the list shows, in import order: a file per province, or per
// city in a folder per province with a municipality at the top. A closed menu or folder prompt writes
// nothing and asks nothing more.
TEST(AreaLogicTest, ExportsByProvinceOrCity) {
  const std::string folder = "ChooseFolder 所选择路径:   ";
  // clang-format off
  const Log asked = {"AskAreaLevel", folder, "AskSeparator", "EnableCommands off",
                     "RunWork 正在按地区导出到“输出”…", "EnableCommands on"};
  const std::tuple<std::optional<AreaLevel>, bool, Log> cases[] = {  // menu, folder prompt, log
      {AreaLevel::Province, true, asked}, {AreaLevel::City, true, asked},
      {std::nullopt, true, {"AskAreaLevel"}}, {AreaLevel::City, false, {"AskAreaLevel", folder}}};
  // clang-format on
  for (const auto& [level, folderChosen, expectedLog] : cases) {
    SCOPED_TRACE(expectedLog.size());
    Window window;
    window.ImportPlaces();
    window.Choose(1);  // 广东省
    window.Click("全部");
    window.Click("联通");
    const std::filesystem::path out = window.folder / "输出";
    std::filesystem::create_directory(out);
    window.view.log.clear();
    if (level) window.view.areaLevels.push_back(*level);
    if (folderChosen) window.view.paths.emplace_back(out);
    window.view.separators.emplace_back(",");
    window.Run([&] { window.logic.OnExportByArea(); });

    EXPECT_EQ(window.view.log, expectedLog);
    std::map<std::string, std::string> expected, written;
    for (const auto& [number, place] : expectedLog == asked ? window.items : std::vector<Item>{}) {
      const std::string province = *place->province ? place->province : "未知地区";
      const bool byCity = level == AreaLevel::City && province != place->city && *place->province;
      expected[province + (byCity ? "/" + std::string(place->city) : "") + ".txt"] += number + ",";
    }
    for (const std::string& name : test::FileNamesIn(out)) {
      const std::filesystem::path path = out / PathFromText(name);
      if (name.ends_with(".txt")) written[name] = test::ReadFile(path);
      for (const std::string& inner : name.ends_with(".txt") ? Log{} : test::FileNamesIn(path)) {
        written[name + "/" + inner] = test::ReadFile(path / PathFromText(inner));
      }
    }
    EXPECT_EQ(written, expected);
    EXPECT_EQ(window.view.statusLine, expected.empty() ? ""
                                                       : "已把" + CountText(window.items.size(), CountForm::Grouped) +
                                                             "个号码导出到" + std::to_string(expected.size()) +
                                                             "个文件，位于“" + PathInMessage(out) + "”");
    EXPECT_EQ(window.Shown(), Expected(window.items, "联通", "广东省"));
  }
}

// 号码统计 over thousands of numbers imported twice (a fifth repeated): the rows agree with the places'
// counts and the area choice's, a header sorts (again: the other way), a province opens to its cities,
// the chart follows, and 导出 writes the table as shown.
TEST(AreaLogicTest, ReportCountsByAreaAndCarrier) {
  Window window;
  window.ImportPlaces();
  window.ImportPlaces(0, true);
  EXPECT_EQ(window.Entries(), "[全部地区]|广东省 (3,720)|浙江省 (2,160)|北京市 (900)|未知地区 (600)");
  const auto column = [](const ReportDialogLogic& report, int c) {
    std::string cells;
    for (const auto& row : report.Rows()) cells += row.cells[static_cast<std::size_t>(c)] + "|";
    return cells.substr(0, cells.size() - 1);
  };
  window.view.paths.emplace_back(window.folder / "统计.txt");
  window.view.inReport = [&](ReportDialogLogic& report) {
    EXPECT_EQ(report.Summary(), "共7,380个号码，不同的号码6,150个，重复1,230个，未知地区600个（8.1%）");
    EXPECT_EQ(column(report, ReportDialogLogic::kArea), "+ 广东省|+ 浙江省|+ 北京市|未知地区|合计");
    using Cells = std::array<std::string, ReportDialogLogic::kColumnCount>;
    EXPECT_EQ(report.Rows()[1].cells, (Cells{"+ 浙江省", "", "1,080", "0", "720", "360", "0", "2,160", "29.3%"}));
    EXPECT_EQ(report.Rows().back().cells,
              (Cells{"合计", "", "4,320", "360", "1,200", "900", "600", "7,380", "100.0%"}));
    report.OnHeaderClicked(ReportDialogLogic::kFirstCategory + 3);  // 小灵通
    EXPECT_EQ(column(report, ReportDialogLogic::kArea), "+ 浙江省|+ 北京市|+ 广东省|未知地区|合计");
    report.OnHeaderClicked(ReportDialogLogic::kFirstCategory + 3);
    EXPECT_EQ(column(report, ReportDialogLogic::kArea), "未知地区|+ 广东省|+ 北京市|+ 浙江省|合计");
    report.OnHeaderClicked(ReportDialogLogic::kArea);
    report.OnRowActivated(1);
    EXPECT_EQ(column(report, ReportDialogLogic::kArea),
              "+ 北京市|- 广东省|　佛山市|　广州市|　深圳市|未知地区|+ 浙江省|合计");
    EXPECT_EQ(column(report, ReportDialogLogic::kAreaCode), "||0757|020|0755|||");
    std::string bars;
    for (const auto& bar : report.Chart()) bars += bar.label + " " + bar.countText + ";";
    EXPECT_EQ(bars, "深圳市 2,640;广州市 840;佛山市 240;");
    std::string opens;
    for (const auto& row : report.Rows()) opens += row.opens ? "+" : "-";
    EXPECT_EQ(opens, "++----+-");
    report.OnRowActivated(2);  // a city, 未知地区 and 合计: nothing
    report.OnRowActivated(5);
    report.OnRowActivated(7);
    report.OnExport();
    report.OnRowActivated(1);
    EXPECT_EQ(column(report, ReportDialogLogic::kArea), "+ 北京市|+ 广东省|未知地区|+ 浙江省|合计");
  };
  window.view.log.clear();
  window.Run([&] { window.logic.OnReport(); });
  EXPECT_EQ(window.view.log, (Log{"EnableCommands off", "RunWork 正在统计号码…", "EnableCommands on", "ShowReport",
                                  "ChooseSaveFile 导出统计表 xlsx", "ShowMessage 导出完毕"}));
  EXPECT_EQ(test::ReadFile(window.folder / "统计.txt"),
            "省份\t城市\t区号\t移动\t联通\t电信\t小灵通\t其他\t合计\n"
            "北京市\t\t\t600\t0\t0\t300\t0\t900\n"
            "广东省\t\t\t2640\t360\t480\t240\t0\t3720\n"
            "广东省\t佛山市\t0757\t0\t0\t0\t240\t0\t240\n"
            "广东省\t广州市\t020\t840\t0\t0\t0\t0\t840\n"
            "广东省\t深圳市\t0755\t1800\t360\t480\t0\t0\t2640\n"
            "未知地区\t\t\t0\t0\t0\t0\t600\t600\n"
            "浙江省\t\t\t1080\t0\t720\t360\t0\t2160\n"
            "合计\t\t\t4320\t360\t1200\t900\t600\t7380\n");
}

}  // namespace
}  // namespace zelvane
