#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>

#include "core/area_table.h"
#include "core/normalize_number.h"
#include "core/prefix_table.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

struct AreaCase {
  std::string_view token;
  std::string_view province;
  std::string_view city;
};

void PrintTo(const AreaCase& c, std::ostream* out) { *out << "token \"" << c.token << "\""; }

class BuiltInAreaTest : public testing::TestWithParam<AreaCase> {};

TEST_P(BuiltInAreaTest, FindsTheHomeArea) {
  const AreaCase& c = GetParam();
  const AreaTable& table = AreaTable::BuiltIn();
  const AreaTable::AreaId id = table.Lookup(NormalizeNumber(c.token));
  EXPECT_EQ(table.Province(id), c.province);
  EXPECT_EQ(table.City(id), c.city);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Numbers, BuiltInAreaTest,
    testing::Values(
        // 130003 is 无锡市, its rows 1300030 to 1300032 南京市: the longest row decides.
        AreaCase{"13000301234", "江苏省", "南京市"},
        AreaCase{"+8613000321234", "江苏省", "南京市"},
        AreaCase{"13000331234", "江苏省", "无锡市"},
        AreaCase{"13000601234", "广东省", "广州市"},
        AreaCase{"13000611234", "湖北省", "荆门市"},
        // A five-digit row, a municipality, and the one row that writes 天津 without 市.
        AreaCase{"13051001234", "北京市", "北京市"},
        AreaCase{"17726001234", "天津市", "天津市"},
        // The five provinces the data names without 自治区.
        AreaCase{"13000951234", "内蒙古", "包头市"},
        AreaCase{"13000691234", "广西", "南宁市"},
        AreaCase{"13000961234", "新疆", "乌鲁木齐市"},
        AreaCase{"13007901234", "宁夏", "石嘴山市"},
        AreaCase{"13228901234", "西藏", "拉萨市"},
        // Landlines and 小灵通 by area code: two digits after the 0, three, and a two-digit key (033x).
        AreaCase{"01012345678", "北京市", "北京市"},
        AreaCase{"8601012345678", "北京市", "北京市"},
        AreaCase{"02012345678", "广东省", "广州市"},
        AreaCase{"075512345678", "广东省", "深圳市"},
        AreaCase{"07558123456", "广东省", "深圳市"},
        AreaCase{"03351234567", "河北省", "秦皇岛市"},
        AreaCase{"0335", "河北省", "秦皇岛市"},
        AreaCase{"02412345678", "辽宁省", "沈阳市、铁岭市、抚顺市"},
        // Places renamed or merged since the data was written go by today's names.
        AreaCase{"07101234567", "湖北省", "襄阳市"},
        AreaCase{"13000021234", "安徽省", "合肥市"},
        AreaCase{"05511234567", "安徽省", "合肥市"},
        AreaCase{"06341234567", "山东省", "济南市"},
        AreaCase{"08561234567", "贵州省", "铜仁市"},
        AreaCase{"08571234567", "贵州省", "毕节市"},
        AreaCase{"09721234567", "青海省", "海东市"},
        AreaCase{"08921234567", "西藏", "日喀则市、仲巴县"},
        AreaCase{"08951234567", "西藏", "昌都市"},
        AreaCase{"08941234567", "西藏", "林芝市"},
        AreaCase{"08931234567", "西藏", "山南市"},
        AreaCase{"08961234567", "西藏", "那曲市、嘉黎县、聂荣县、申扎县、双湖县、班戈县、尼玛县"},
        AreaCase{"09951234567", "新疆", "吐鲁番市"},
        AreaCase{"09021234567", "新疆", "哈密市"},
        AreaCase{"07571234567", "广东省", "佛山市"},
        AreaCase{"07541234567", "广东省", "汕头市"},
        AreaCase{"07311234567", "湖南省", "长沙市、湘潭市、株洲市"},
        // No data: unallocated codes and prefixes the data does not cover, and what is no number.
        AreaCase{"02612345678", "未知地区", ""},
        AreaCase{"16212345678", "未知地区", ""},
        AreaCase{"19912345678", "未知地区", ""},
        AreaCase{"14912345678", "未知地区", ""},
        AreaCase{"17112345678", "未知地区", ""},
        AreaCase{"17012345678", "未知地区", ""},
        AreaCase{"1300030123", "未知地区", ""},
        AreaCase{"130003012345", "未知地区", ""},
        AreaCase{"130003x1234", "未知地区", ""},
        AreaCase{"00012345678", "未知地区", ""},
        AreaCase{"0a12345678", "未知地区", ""},
        AreaCase{"01", "未知地区", ""},
        AreaCase{"", "未知地区", ""}));
// clang-format on

// What the derivation measured: every province of the mainland, every place the data names.
TEST(AreaTable, BuiltInHasEveryProvince) {
  const AreaTable& table = AreaTable::BuiltIn();
  std::set<std::string_view> provinces;
  for (AreaTable::AreaId id = 1; id <= table.AreaCount(); ++id) provinces.insert(table.Province(id));
  EXPECT_EQ(provinces.size(), 31u);
  EXPECT_EQ(table.AreaCount(), 350u);
}

// No place of the built-in table goes by a name it no longer has, alone or written with others.
TEST(AreaTable, BuiltInNamesNoFormerPlace) {
  const AreaTable& table = AreaTable::BuiltIn();
  for (AreaTable::AreaId id = 1; id <= table.AreaCount(); ++id) {
    for (const std::string_view former :
         {"襄樊", "巢湖", "莱芜", "铜仁地区", "毕节地区", "海东地区", "日喀则地区", "昌都地区", "林芝地区", "山南地区",
          "那曲地区", "吐鲁番地区", "哈密地区", "顺德", "潮阳", "株州"}) {
      EXPECT_EQ(table.City(id).find(former), std::string_view::npos) << table.City(id);
    }
  }
}

// The area code comes from the table's own landline rules: a city's own code before one it shares, the
// shortest then lowest of several, none from a rule shorter than a code, none for an unknown area.
TEST(AreaTable, AreaCodesComeFromTheLandlineRules) {
  const AreaTable& table = AreaTable::BuiltIn();
  // clang-format off
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"13000301234", "025"}, {"075512345678", "0755"}, {"01012345678", "010"},
      {"13008271234", "0410"},                           // 铁岭市: its own, not 沈阳市、铁岭市、抚顺市's 024
      {"02412345678", "024"}, {"13006411234", "028"},   // 眉山市 has only 成都市、资阳市、眉山市's
      {"06341234567", "0531"}, {"13008441234", "029"},  // 济南市 (莱芜's 0634 too); 咸阳市
      {"03351234567", ""},                               // 秦皇岛市: only 033, a range of codes
      {"16212345678", ""}, {"", ""}};
  // clang-format on
  for (const auto& [token, code] : cases) {
    EXPECT_EQ(table.AreaCode(table.Lookup(NormalizeNumber(token))), code) << token;
  }
}

// A user's table replaces the built-in one: here it covers the 19x the data lacks.
TEST(AreaTable, UserTableLongestRuleWins) {
  AreaTable::ParseError error;
  const std::optional<AreaTable> table = AreaTable::Parse(
      "\xEF\xBB\xBF# mine\r\n199 四川省 成都市\r\n1991234\t北京市\t北京市\r\n\r\n  0755  广东省  深圳市  \n"
      "075 广东省 某市\n1999999 新疆 哈密地区\n",
      error);
  ASSERT_TRUE(table) << error.reason;
  // clang-format off
  const std::tuple<std::string_view, std::string_view, std::string_view> cases[] = {
      {"19912345678", "北京市", "北京市"}, {"19912335678", "四川省", "成都市"},
      {"19999999999", "新疆", "哈密地区"}, {"19000000000", "未知地区", ""},
      {"13912345678", "未知地区", ""}, {"07551234567", "广东省", "深圳市"},
      {"07571234567", "广东省", "某市"}, {"0751", "广东省", "某市"}, {"01012345678", "未知地区", ""},
  };
  // clang-format on
  for (const auto& [number, province, city] : cases) {
    EXPECT_EQ(table->Province(table->Lookup(number)), province) << number;
    EXPECT_EQ(table->City(table->Lookup(number)), city) << number;
  }
  EXPECT_EQ(table->AreaCount(), 5u);
}

TEST(AreaTable, RefusesBadTables) {
  const std::string format =
      "应为“号段 省份 城市”，号段是以 1 开头的 3 到 7 位数字或以 0 开头的区号，如“1391234 江苏省 南京市”";
  std::string tooMany;
  for (int i = 0; i <= 65535; ++i) tooMany += std::to_string(1000000 + i) + " 省 " + std::to_string(i) + "\n";
  // clang-format off
  const std::tuple<std::string, std::size_t, std::string> cases[] = {
      {"139 江苏省 南京市\n13 江苏省 南京市\n", 2, format},
      {"13912345 江苏省 南京市\n", 1, format},
      {"239 江苏省 南京市\n", 1, format},
      {"00755 广东省 深圳市\n", 1, format},
      {"0075 广东省 深圳市\n", 1, format},
      {"01 北京市 北京市\n", 1, format},
      {"13x 江苏省 南京市\n", 1, format},
      {"139 江苏省\n", 1, format},
      {"139 江苏省 南京市 玄武区\n", 1, format},
      {"139 江苏省 南京市\n\n# 又一个\n139 浙江省 杭州市\n", 4, "号段139重复（第1行已有）"},
      {"075 广东省 某市\n0755 广东省 深圳市\n0755 广东省 深圳市\n", 3, "号段0755重复（第2行已有）"},
      {"139 \xBD\xAD\xCB\xD5 南京市\n", 1, "不是 UTF-8 文本"},  // 江苏 in GBK
      {tooMany, 65536, "地区超过65535个"},
  };
  // clang-format on
  for (const auto& [text, line, reason] : cases) {
    AreaTable::ParseError error;
    EXPECT_FALSE(AreaTable::Parse(text, error)) << text.substr(0, 40);
    EXPECT_EQ(error.line, line) << text.substr(0, 40);
    EXPECT_EQ(error.reason, reason) << text.substr(0, 40);
  }
}

// Both kinds of table load alike: a read failure, a bad line and a file too large each say which file and
// why, and whether the file could be read at all (the command line's exit code follows from that).
TEST(LoadTables, SayWhichFileAndWhy) {
  test::TemporaryFolder folder;
  test::WriteFile(folder / "areas.txt", "199 四川省 成都市\n19x 四川省 成都市\n");
  test::WriteFile(folder / "prefixes.txt", "139 移动\n13x 联通\n");
  test::WriteFile(folder / "big.txt", "139 移动\n");
  std::filesystem::resize_file(folder / "big.txt", (std::uintmax_t{64} << 20) + 1);
  const auto in = [&folder](const char* name) { return "“" + (folder / name).string() + "”"; };
  struct Case {
    bool area;
    const char* file;
    std::string message;
    bool unreadable;
  };
  const Case cases[] = {
      {true, "areas.txt",
       "归属地表" + in("areas.txt") +
           "第2行：应为“号段 省份 城市”，号段是以 1 开头的 3 到 7 位数字或以 0 开头的区号，如“1391234 江苏省 南京市”",
       false},
      {false, "prefixes.txt",
       "号段表" + in("prefixes.txt") + "第2行：应为“号段 类别”，号段是 1 到 7 位数字，如“139 移动”", false},
      {true, "none.txt", "无法读取文件" + in("none.txt") + "：文件或文件夹不存在", true},
      {false, "none.txt", "无法读取文件" + in("none.txt") + "：文件或文件夹不存在", true},
      {true, "big.txt", "归属地表" + in("big.txt") + "太大：最多 64 MiB", false},
      {false, "big.txt", "号段表" + in("big.txt") + "太大：最多 16 MiB", false},
  };
  for (const Case& c : cases) {
    TableLoadError error;
    const bool loaded = c.area ? LoadAreaTable(folder / c.file, error).has_value()
                               : LoadPrefixTable(folder / c.file, error).has_value();
    EXPECT_FALSE(loaded) << c.file;
    EXPECT_EQ(error.message, c.message);
    EXPECT_EQ(error.unreadable, c.unreadable) << c.message;
  }
}

// A line with control characters is named without them: a NUL would end the message where it stands.
TEST(LoadTables, MessagesNeverEchoControlCharacters) {
  test::TemporaryFolder folder;
  test::WriteFile(folder / "mine.txt", std::string("139 移\0\x7F动\n", 13));
  TableLoadError error;
  EXPECT_FALSE(LoadPrefixTable(folder / "mine.txt", error));
  EXPECT_EQ(error.message.find('\0'), std::string::npos);
  EXPECT_NE(error.message.find("未知的类别“移??动”"), std::string::npos) << error.message;
}

// Notepad's "Unicode" (UTF-16 with a byte-order mark, either byte order) reads as the same table.
TEST(LoadTables, ReadUtf16Tables) {
  // "199 川 蓉\n139 移动\n" in UTF-16.
  const unsigned units[] = {'1', '9', '9', ' ', 0x5DDD, ' ', 0x84C9, '\n', '1', '3', '9', ' ', 0x79FB, 0x52A8, '\n'};
  std::string le = "\xFF\xFE";
  std::string be = "\xFE\xFF";
  for (unsigned unit : units) {
    le += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    be += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
  }
  test::TemporaryFolder folder;
  for (const std::string& bytes : {le, be}) {
    test::WriteFile(folder / "areas.txt", bytes.substr(0, 2 + 16));
    test::WriteFile(folder / "prefixes.txt", bytes.substr(0, 2) + bytes.substr(2 + 16));
    TableLoadError error;
    const std::optional<AreaTable> areas = LoadAreaTable(folder / "areas.txt", error);
    ASSERT_TRUE(areas) << error.message;
    EXPECT_EQ(areas->City(areas->Lookup("19912345678")), "蓉");
    const std::optional<PrefixTable> prefixes = LoadPrefixTable(folder / "prefixes.txt", error);
    ASSERT_TRUE(prefixes) << error.message;
    EXPECT_EQ(prefixes->Classify("13912345678"), NumberCategory::Mobile);
  }
}

}  // namespace
}  // namespace zelvane
