// classify --by province|city|province,carrier|city,carrier: a file per home area (and carrier), the
// numbers in input order, and all of them replaced together or none.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/test_files.h"
#include "tests/support/test_text.h"

namespace zelvane {
namespace {

using test::FileNamesIn;
using test::ReadFile;
using test::RunCli;
using test::TemporaryFolder;
using test::WriteFile;

const std::array<std::string, 4> kForms = {"province", "city", "province,carrier", "city,carrier"};

// A prefix of the built-in table, the digits that follow it, and its file by each of kForms.
struct Block {
  std::string prefix;
  int digits;
  std::array<std::string, 4> files;
};

// clang-format off
const Block kBlocks[] = {
    {"1391234", 4, {"江苏省.txt", "江苏省-常州市.txt", "江苏省-移动.txt", "江苏省-常州市-移动.txt"}},
    {"1300030", 4, {"江苏省.txt", "江苏省-南京市.txt", "江苏省-联通.txt", "江苏省-南京市-联通.txt"}},
    {"1531234", 4, {"江苏省.txt", "江苏省-淮安市.txt", "江苏省-电信.txt", "江苏省-淮安市-电信.txt"}},
    {"1380013", 4, {"北京市.txt", "北京市.txt", "北京市-移动.txt", "北京市-移动.txt"}},
    {"1861234", 4, {"北京市.txt", "北京市.txt", "北京市-联通.txt", "北京市-联通.txt"}},
    {"010", 8, {"北京市.txt", "北京市.txt", "北京市-小灵通.txt", "北京市-小灵通.txt"}},
    {"1350000", 4, {"广东省.txt", "广东省-广州市.txt", "广东省-移动.txt", "广东省-广州市-移动.txt"}},
    {"0755", 8, {"广东省.txt", "广东省-深圳市.txt", "广东省-小灵通.txt", "广东省-深圳市-小灵通.txt"}},
    {"1582000", 4, {"山东省.txt", "山东省-济南市.txt", "山东省-移动.txt", "山东省-济南市-移动.txt"}},
    {"024", 8, {"辽宁省.txt", "辽宁省-沈阳市、铁岭市、抚顺市.txt", "辽宁省-小灵通.txt", "辽宁省-沈阳市、铁岭市、抚顺市-小灵通.txt"}},
    {"1772600", 4, {"天津市.txt", "天津市.txt", "天津市-其他.txt", "天津市-其他.txt"}},
    {"1991234", 4, {"未知地区.txt", "未知地区.txt", "未知地区-其他.txt", "未知地区-其他.txt"}},
    {"1621234", 4, {"未知地区.txt", "未知地区.txt", "未知地区-其他.txt", "未知地区-其他.txt"}},
};
// clang-format on

constexpr int kNumbers = 6000;

// The i-th number as normalised: blocks taken in a mixed order, each number distinct.
std::string NumberAt(int i) {
  const Block& block = kBlocks[i * 5 % std::size(kBlocks)];
  std::string suffix = std::to_string(i);
  return block.prefix + std::string(static_cast<std::size_t>(block.digits) - suffix.size(), '0') + suffix;
}

// The numbers as a file holds them: some with +86, lines ending in CR LF, LF or a comma.
std::string InputText() {
  std::string text;
  const char* const ends[] = {"\r\n", "\n", ","};
  for (int i = 0; i < kNumbers; ++i) text += (i % 3 == 0 ? "+86" : "") + NumberAt(i) + ends[i % 3];
  return text;
}

// Each file of a form and its contents: the numbers in input order, each followed by CR LF.
std::map<std::string, std::string> ExpectedFiles(std::size_t form) {
  std::map<std::string, std::string> files;
  for (int i = 0; i < kNumbers; ++i) files[kBlocks[i * 5 % std::size(kBlocks)].files[form]] += NumberAt(i) + "\r\n";
  return files;
}

std::map<std::string, std::string> FilesIn(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const std::string& name : FileNamesIn(folder)) {
    const std::filesystem::path path = folder / PathFromText(name);
    files[name] = std::filesystem::is_directory(path) ? "<folder>" : ReadFile(path);  // Windows opens no folder
  }
  return files;
}

std::vector<std::string> SortedLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  std::sort(lines.begin(), lines.end());
  return lines;
}

// The total, then every file written and its count.
std::vector<std::string> ExpectedSummary(const std::map<std::string, std::string>& files, int numbers) {
  std::vector<std::string> lines = {"当前共有" + std::to_string(numbers) + "个号码，写入" +
                                    std::to_string(files.size()) + "个文件"};
  for (const auto& [name, text] : files) {
    lines.push_back(name + "\t" + std::to_string(std::count(text.begin(), text.end(), '\n')));
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

TEST(ClassifyByAreaCli, EachFormWritesAFilePerArea) {
  TemporaryFolder folder;
  WriteFile(folder / "in.txt", InputText());
  for (std::size_t form = 0; form < kForms.size(); ++form) {
    SCOPED_TRACE(kForms[form]);
    const auto result = RunCli({"classify", "--by", kForms[form], "--out", kForms[form], "in.txt"}, folder.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::map<std::string, std::string> expected = ExpectedFiles(form);
    EXPECT_TRUE(FilesIn(folder / kForms[form]) == expected);
    EXPECT_EQ(SortedLines(result.out), ExpectedSummary(expected, kNumbers));
    EXPECT_EQ(result.err, "");
  }
  // By carrier, as without --by: the five files, byte for byte, and the same totals.
  const auto byCarrier = RunCli({"classify", "--by", "carrier", "--out", "carrier", "in.txt"}, folder.path());
  const auto plain = RunCli({"classify", "--out", "plain", "in.txt"}, folder.path());
  EXPECT_EQ(byCarrier.exitCode, 0) << byCarrier.err;
  EXPECT_EQ(byCarrier.out, plain.out);
  EXPECT_EQ(FilesIn(folder / "carrier"), FilesIn(folder / "plain"));
  EXPECT_EQ(FileNamesIn(folder / "carrier").size(), test::kCategoryFileNames.size());
}

// The same input twice: every file holds its numbers twice, or once with --unique; --quiet prints nothing.
TEST(ClassifyByAreaCli, UniqueAndQuiet) {
  TemporaryFolder folder;
  WriteFile(folder / "in.txt", InputText());
  const auto twice = RunCli({"classify", "--by", "city,carrier", "--out", "twice", "in.txt", "in.txt"}, folder.path());
  const auto once = RunCli(
      {"classify", "--by", "city,carrier", "--unique", "--quiet", "--out", "once", "in.txt", "in.txt"}, folder.path());
  ASSERT_EQ(twice.exitCode, 0) << twice.err;
  ASSERT_EQ(once.exitCode, 0) << once.err;
  EXPECT_EQ(once.out, "");
  std::map<std::string, std::string> expected = ExpectedFiles(3);
  EXPECT_TRUE(FilesIn(folder / "once") == expected);
  for (auto& [name, text] : expected) text += text;
  EXPECT_TRUE(FilesIn(folder / "twice") == expected);
  EXPECT_EQ(SortedLines(twice.out), ExpectedSummary(expected, 2 * kNumbers));
}

// A table of one's own replaces the built-in one: 199 becomes known, what it lacks is 未知地区.
TEST(ClassifyByAreaCli, TakesTheAreaTableGiven) {
  TemporaryFolder folder;
  WriteFile(folder / "in.txt", InputText());
  WriteFile(folder / "areas.txt", "# 自己的\n199 四川省 成都市\n0755 广东省 深圳市\n");
  const auto result = RunCli({"classify", "--by", "city", "--areas", "areas.txt", "in.txt"}, folder.path());
  ASSERT_EQ(result.exitCode, 0) << result.err;
  std::map<std::string, std::string> expected;
  for (int i = 0; i < kNumbers; ++i) {
    const std::string number = NumberAt(i);
    const char* file = number.starts_with("199")    ? "四川省-成都市.txt"
                       : number.starts_with("0755") ? "广东省-深圳市.txt"
                                                    : "未知地区.txt";
    expected[file] += number + "\r\n";
  }
  expected["areas.txt"] = ReadFile(folder / "areas.txt");
  expected["in.txt"] = InputText();
  EXPECT_TRUE(FilesIn(folder.path()) == expected);
}

// Bad usage stops the command before anything is read or written.
TEST(ClassifyByAreaCli, RefusesBadUsageFirst) {
  TemporaryFolder folder;
  WriteFile(folder / "in.txt", InputText());
  WriteFile(folder / "areas.txt", "199 四川省 成都市\n19x 四川省 成都市\n");
  WriteFile(folder / "北京市.txt", "old");
  const std::string help = "\n请用“zelvane-cli classify --help”查看用法。\n";
  const std::string badTable = "zelvane-cli: 归属地表“areas.txt”第2行：应为“号段 省份 城市”";
  // clang-format off
  const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
      {{"classify", "--by", "town", "in.txt"}, 2,
       "zelvane-cli: 分类方式“town”无效：应为 carrier、province、city、province,carrier 或 city,carrier" + help},
      {{"classify", "--by", "carrier,city", "--out", "new", "in.txt"}, 2, "zelvane-cli: 分类方式“carrier,city”无效"},
      {{"classify", "--by", "city", "--areas", "areas.txt", "--out", "new", "in.txt"}, 2, badTable},
      {{"classify", "--areas", "areas.txt", "in.txt"}, 2, badTable},
      {{"classify", "--by", "city", "--areas", "none.txt", "in.txt"}, 1,
       "zelvane-cli: 无法读取文件“none.txt”：文件或文件夹不存在\n"},
  };
  // clang-format on
  const std::map<std::string, std::string> before = FilesIn(folder.path());
  for (const auto& [arguments, exitCode, errorStart] : cases) {
    const auto result = RunCli(arguments, folder.path());
    EXPECT_EQ(result.exitCode, exitCode) << arguments[2];
    EXPECT_TRUE(result.err.starts_with(errorStart)) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(FilesIn(folder.path()), before) << arguments[2];
  }
}

// A target that cannot be written, the first or the last of the files: no file is replaced, none is
// left behind, exit 1 naming the file.
TEST(ClassifyByAreaCli, OneFailingTargetReplacesNone) {
  const std::map<std::string, std::string> expected = ExpectedFiles(3);
  for (const std::string& failing :
       {expected.begin()->first, expected.rbegin()->first, std::string("未知地区-其他.txt")}) {
    SCOPED_TRACE(failing);
    TemporaryFolder folder;
    WriteFile(folder / "in.txt", InputText());
    std::filesystem::create_directory(folder / "out");
    for (const auto& [name, text] : expected) {
      if (name != failing) WriteFile(folder / ("out/" + name), "old " + name);
    }
    const bool asFolder = failing.starts_with("未知地区");
    if (asFolder) {
      std::filesystem::create_directory(folder / ("out/" + failing));
    } else {
      WriteFile(folder / ("out/" + failing), "old " + failing);
      std::filesystem::permissions(folder / ("out/" + failing), std::filesystem::perms::owner_read);
    }
    const std::map<std::string, std::string> before = FilesIn(folder / "out");
    const auto result = RunCli({"classify", "--by", "city,carrier", "--out", "out", "in.txt"}, folder.path());
    EXPECT_EQ(result.exitCode, 1);
    const std::string reason = asFolder ? "这是一个文件夹，不是文件" : "没有访问权限";
    EXPECT_TRUE(result.err.starts_with("zelvane-cli: 无法写入文件“") &&
                result.err.ends_with(failing + "”：" + reason + "\n"))
        << result.err;
    EXPECT_EQ(result.out, "");
    if (!asFolder) std::filesystem::permissions(folder / ("out/" + failing), std::filesystem::perms::owner_all);
    EXPECT_EQ(FilesIn(folder / "out"), before) << "old files as they were, no temporary file";
  }
}

}  // namespace
}  // namespace zelvane
