// Workbooks, CSV files and numbers inside text through the main window's commands: what the window asks
// (the column, the extraction, the export format) and what is read and written.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/doubles/scripted_view.h"
#include "tests/support/test_files.h"
#include "tests/support/test_workbook.h"
#include "tests/support/workbook_contents.h"
#include "ui/logic/export_kinds.h"
#include "ui/logic/main_dialog_logic.h"

namespace zelvane {
namespace {

using Log = std::vector<std::string>;
using test::Cell;
using test::Row;

std::string Shared(const std::string& reference, int index) {
  return Cell(reference, "s", "<v>" + std::to_string(index) + "</v>");
}
std::string Figure(const std::string& reference, const std::string& value) {
  return Cell(reference, "", "<v>" + value + "</v>");
}

struct Window {
  test::TemporaryFolder folder;
  test::ScriptedView view;
  test::RecordingNumbers numbers;
  MainDialogLogic logic{view, numbers};

  std::filesystem::path Write(std::string_view name, std::string_view bytes) const {
    test::WriteFile(folder.path() / PathFromText(name), bytes);
    return folder.path() / PathFromText(name);
  }
  // A CRM export: 姓名 / 手机 (numbers stored as numbers) / 备注 (one number inside text).
  std::filesystem::path WriteCrmWorkbook() const {
    const std::vector<std::string> strings = {"<t>姓名</t>", "<t>手机</t>", "<t>备注</t>", "<t>张三</t>",
                                              "<t>座机 (0755) 8888-6666</t>"};
    const std::string cells = Row(1, Shared("A1", 0) + Shared("B1", 1) + Shared("C1", 2)) +
                              Row(2, Shared("A2", 3) + Figure("B2", "13800138000") + Shared("C2", 4)) +
                              Row(3, Shared("A3", 3) + Figure("B3", "1.3900139E10")) +
                              Row(4, Figure("B4", "13700137000"));
    test::WriteZip(folder / "客户.xlsx", test::WorkbookParts({{"Sheet1", cells}}, strings));
    return folder / "客户.xlsx";
  }
  void Run(const std::function<void()>& command) {
    logic.RunCommand(command);
    EXPECT_EQ(view.waitCursorDepth, 0);
    EXPECT_TRUE(view.commandsEnabled && !logic.WorkRunning());
  }
  std::vector<std::string> ShownNumbers() const { return {numbers.Numbers().begin(), numbers.Numbers().end()}; }
  Log Asked(std::string_view prefix) const {
    Log asked;
    for (const std::string& entry : view.log) {
      if (entry.starts_with(prefix)) asked.push_back(entry);
    }
    return asked;
  }
};

// A table where several columns hold numbers asks which, the fullest chosen first; its answer (or
// Esc: nothing from that file) decides what is imported. A table with one such column, or none, asks
// nothing; cells that a spreadsheet rounded are named after the total.
TEST(TableFilesLogicTest, AsksForTheColumnWhereSeveralHoldNumbers) {
  const Log crmEntries = {"手机（B列）：3个号码", "备注（C列）：1个号码", "全部列：4个号码"};
  using Answer = std::optional<std::size_t>;
  struct Case {
    const char* name;
    const char* csv;               // nullptr: the workbook
    std::optional<Answer> answer;  // nothing: not asked
    Log shown;
    Log messages;
  };
  // clang-format off
  const Case cases[] = {
      {"Fullest", nullptr, Answer(0), {"13800138000", "13900139000", "13700137000"}, {"共计导入3个接收号码！"}},
      {"Other", nullptr, Answer(1), {"075588886666"}, {"共计导入1个接收号码！"}},
      {"AllColumns", nullptr, Answer(2), {"13800138000", "075588886666", "13900139000", "13700137000"},
       {"共计导入4个接收号码！"}},
      {"Esc", nullptr, Answer(), {}, {}},
      {"OneColumn", "姓名,手机\r\n张三,13800138000\r\n李四,\"139 0013 9000\"\r\n", std::nullopt,
       {"13800138000", "13900139000"}, {"共计导入2个接收号码！"}},
      {"NoNumbers", "姓名,手机\r\n张三,1.38001E+10\r\n", std::nullopt, {},
       {"共计导入0个接收号码！\n“名单.csv”中有1个单元格的号码已被 Excel 舍入成科学计数法（第一个是 B2），位数已丢失，没有导入"}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Window window;
    const std::filesystem::path path = c.csv ? window.Write("名单.csv", c.csv) : window.WriteCrmWorkbook();
    if (c.answer) window.view.columns.push_back(*c.answer);
    window.Run([&] { window.logic.ImportFiles({path}); });

    EXPECT_EQ(window.Asked("AskColumn"),
              c.answer ? Log{"AskColumn “客户.xlsx”中有几列都有号码，请选择要导入的列："} : Log{});
    if (c.answer) {
      Log entries;
      for (const ListEntry& entry : window.view.listShown) entries.push_back(entry.text);
      EXPECT_EQ(entries, crmEntries);
      EXPECT_EQ(window.view.listChosen, 0U);
    }
    EXPECT_EQ(window.ShownNumbers(), c.shown);
    EXPECT_EQ(window.view.Messages(), c.messages);
  }
}

// A text file whose lines mostly hold numbers among other text offers to take the numbers inside the
// text: 是 takes them, 否 imports its tokens as ever. A list of numbers is imported without a question.
TEST(TableFilesLogicTest, OffersTheNumbersInsideText) {
  const std::string mixed = "张三 138-0013-8000 深圳\r\n李四 +86 139 0013 9000\r\n";
  struct Case {
    const char* name;
    std::string text;
    std::optional<bool> answer;  // nothing: not asked
    Log shown;
  };
  const Case cases[] = {
      {"Yes", mixed, true, {"13800138000", "13900139000"}},
      {"No", mixed, false, {"138-0013-8000", "0013", "9000"}},
      {"CleanList", "13800138000\r\n+8613900139000\r\n", std::nullopt, {"13800138000", "13900139000"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Window window;
    if (c.answer) window.view.yesNo.push_back(*c.answer);
    window.Run([&] { window.logic.ImportFiles({window.Write("名单.txt", c.text)}); });

    const Log asked = window.Asked("AskYesNo");
    ASSERT_EQ(asked.size(), c.answer ? 1U : 0U);
    if (c.answer) {
      EXPECT_TRUE(asked[0].starts_with("AskYesNo “名单.txt”中的号码夹在文字中间")) << asked[0];
    }
    // 否 reads tokens (of 4 bytes and more): 张三 and 深圳 are tokens too, of 其他.
    std::vector<std::string> shown = window.ShownNumbers();
    std::erase_if(shown,
                  [](const std::string& n) { return !n.empty() && !std::isdigit(static_cast<unsigned char>(n[0])); });
    EXPECT_EQ(shown, c.shown);
  }
}

// The export's format is the filter chosen, unless the typed name's extension names another format.
TEST(TableFilesLogicTest, ExportKindFollowsFilterThenExtension) {
  EXPECT_EQ(ExportPrompt().filter,
            "文本文件(*.txt);;Excel 工作簿(*.xlsx);;CSV 文件(*.csv);;MD5 值(*.txt);;SHA-256 值(*.txt);;隐藏中间四位(*.txt)");
  struct Case {
    const char* name;
    std::size_t filter;
    NumberFileFormat format;
    NumberForm form;
  };
  constexpr auto kText = NumberFileFormat::Text;
  constexpr auto kPlain = NumberForm::Plain;
  const Case cases[] = {
      {"a.txt", 0, kText, kPlain},
      {"a.xlsx", 0, NumberFileFormat::Xlsx, kPlain},
      {"a.XLSX", 2, NumberFileFormat::Xlsx, kPlain},
      {"a.csv", 1, NumberFileFormat::Csv, kPlain},
      {"a.txt", 1, kText, kPlain},
      {"a.dat", 1, NumberFileFormat::Xlsx, kPlain},
      {"a", 2, NumberFileFormat::Csv, kPlain},
      {"a.txt", 3, kText, NumberForm::Md5},
      {"a.csv", 4, NumberFileFormat::Csv, NumberForm::Sha256},  // a hashed list typed as CSV stays hashed
      {"a", 5, kText, NumberForm::Masked},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.filter));
    EXPECT_EQ(KindOfSavedFile(c.name, c.filter).format, c.format);
    EXPECT_EQ(KindOfSavedFile(c.name, c.filter).form, c.form);
  }
}

// A hashed 导出 says once, in the separator dialog, what hashing does not protect; a plain one shows the
// dialog as it always was. Tokens that are not numbers are left out of hashed and masked files and
// counted; 一键导出 writes every category masked.
TEST(TableFilesLogicTest, ExportsHashedAndMaskedNumbers) {
  Window window;
  window.Run([&] { window.logic.ImportFiles({window.Write("a.txt", "13800138000\r\n张三\r\n075588886666\r\n")}); });
  window.view.log.clear();
  window.view.paths.emplace_back(window.folder / "md5.txt");
  window.view.saveFilters.push_back(3);
  window.view.separators.emplace_back("\n");
  window.view.paths.emplace_back(window.folder / "sha.txt");
  window.view.saveFilters.push_back(4);
  window.view.separators.emplace_back("\n");
  window.Run([&] { window.logic.OnExport(); });
  window.Run([&] { window.logic.OnExport(); });
  const std::filesystem::path out = window.folder / "输出";
  std::filesystem::create_directory(out);
  window.view.paths.emplace_back(out);
  window.view.exportKinds.push_back(5);
  window.view.separators.emplace_back("");
  window.Run([&] { window.logic.OnOneClickExport(); });

  const std::string warned = "AskSeparator " + std::string(kHashedNote);
  EXPECT_EQ(window.Asked("AskSeparator"), (Log{warned, warned, "AskSeparator"}));
  const std::string done = "导出完毕\n1个不是号码的内容（含有数字以外的字符）没有写出";
  EXPECT_EQ(window.view.Messages(), (Log{done, done}));
  // md5sum and sha256sum of the numbers' digits
  EXPECT_EQ(test::ReadFile(window.folder / "md5.txt"),
            "7945bd83237335e5376ff44d62e4f0ae\n61d75eb5e3bba3927ea8edecde17c242\n");
  EXPECT_EQ(test::ReadFile(window.folder / "sha.txt"),
            "a6942f9771d67f34034d2f1926988ed3fad3bf1b4e7cedb9a31f31398dea43bc\n"
            "515c598fdf5af6f56eb2545e7263c4b474435845c00e54569169f81f4b081ff0\n");
  EXPECT_EQ(test::ReadFile(out / PathFromText("移动.txt")), "138****8000\r\n");
  EXPECT_EQ(test::ReadFile(out / PathFromText("小灵通.txt")), "0755****6666\r\n");
  EXPECT_EQ(test::ReadFile(out / PathFromText("其他.txt")), "");
  EXPECT_TRUE(window.view.statusLine.ends_with("；1个不是号码的内容（含有数字以外的字符）没有写出"))
      << window.view.statusLine;
}

// 导出 as a workbook or CSV file: no separator asked, every number a cell, and the numbers that were not
// GBK text counted in the message.
TEST(TableFilesLogicTest, ExportsTheListAsTables) {
  Window window;
  window.Run([&] { window.logic.ImportFiles({window.Write("a.txt", "13800138000\r\n1234\x81\r\n")}); });
  window.view.log.clear();
  window.view.paths.emplace_back(window.folder / "导出.xlsx");
  window.view.saveFilters.push_back(1);
  window.view.paths.emplace_back(window.folder / "导出.csv");
  window.view.saveFilters.push_back(0);
  window.Run([&] { window.logic.OnExport(); });
  window.Run([&] { window.logic.OnExport(); });

  EXPECT_EQ(window.Asked("AskSeparator"), Log{});
  const std::string done = "导出完毕\n1个号码含有不是 GBK 文字的字节，写成了“?”";
  EXPECT_EQ(window.view.Messages(), (Log{done, done}));
  const auto entries = test::ZipEntries(window.folder / "导出.xlsx");
  ASSERT_TRUE(entries.contains("xl/worksheets/sheet1.xml"));
  EXPECT_EQ(test::SheetCells(entries.at("xl/worksheets/sheet1.xml")),
            (std::vector<test::SheetCell>{{"A1", "号码"}, {"A2", "13800138000"}, {"A3", "1234?"}}));
  EXPECT_EQ(test::ReadFile(window.folder / "导出.csv"), "\xEF\xBB\xBF号码\r\n13800138000\r\n1234?\r\n");
}

// 一键导出 and 按地区导出 ask for the format after the folder, offering the one last used; a table asks
// for no separator, and the files are written in its format.
TEST(TableFilesLogicTest, ExportsFoldersInTheChosenFormat) {
  Window window;
  window.Run([&] { window.logic.ImportFiles({window.Write("a.txt", "13800138000\r\n95588000\r\n")}); });
  const std::filesystem::path out = window.folder / "输出";
  std::filesystem::create_directory(out);
  window.view.log.clear();
  window.view.paths.emplace_back(out);
  window.view.exportKinds.push_back(1);
  window.Run([&] { window.logic.OnOneClickExport(); });
  window.view.paths.emplace_back(out);
  window.view.areaLevels.push_back(AreaLevel::Province);
  window.view.exportKinds.push_back(2);
  window.Run([&] { window.logic.OnExportByArea(); });
  const std::size_t offeredLast = window.view.listChosen;

  EXPECT_EQ(window.Asked("AskSeparator"), Log{});
  EXPECT_EQ(window.Asked("AskExportKind").size(), 2U);
  Log labels;
  for (const ListEntry& entry : window.view.listShown) labels.push_back(entry.text + entry.note);
  const std::string hashed(kHashedNote);
  EXPECT_EQ(labels, (Log{"文本文件(*.txt)", "Excel 工作簿(*.xlsx)", "CSV 文件(*.csv)", "MD5 值(*.txt)" + hashed,
                         "SHA-256 值(*.txt)" + hashed, "隐藏中间四位(*.txt)"}));
  EXPECT_EQ(offeredLast, 1U);  // the second export was offered what the first used
  const auto mobile = test::ZipEntries(out / PathFromText("移动.xlsx"));
  ASSERT_TRUE(mobile.contains("xl/worksheets/sheet1.xml"));
  EXPECT_EQ(test::SheetCells(mobile.at("xl/worksheets/sheet1.xml")),
            (std::vector<test::SheetCell>{{"A1", "号码"}, {"A2", "13800138000"}}));
  EXPECT_EQ(test::ReadFile(out / PathFromText("未知地区.csv")), "\xEF\xBB\xBF号码\r\n95588000\r\n");
  EXPECT_EQ(window.view.Messages(), Log{});
}

}  // namespace
}  // namespace zelvane
