// Area names from a table of one's own become file and folder names that stay in the chosen folder on
// every system, and names that then collide share a file.

#include "ops/safe_file_name.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "ops/area_classify.h"
#include "ops/area_export.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using test::TemporaryFolder;

TEST(SafeFileName, KeepsEveryNameInItsFolder) {
  struct Case {
    std::string name;
    std::string safe;
  };
  const Case cases[] = {
      // Names kept as they are, dots and blanks inside included.
      {"广东省", "广东省"},
      {"a.b c", "a.b c"},
      {".a", ".a"},
      {"CONSOLE", "CONSOLE"},
      {"COM0", "COM0"},
      {"LPT10", "LPT10"},
      {"NULL.txt", "NULL.txt"},
      {"a\xE2\x80\xA7z", "a\xE2\x80\xA7z"},
      // Names that are folders, or that Windows cuts short.
      {"", "_"},
      {".", "_"},
      {"..", "__"},
      {"...", "___"},
      {" ", "_"},
      {" . ", "___"},
      {"a.", "a_"},
      {"a. .", "a___"},
      {"深圳. ", "深圳__"},
      // Device names, with or without an extension, in any case.
      {"CON", "_CON"},
      {"con", "_con"},
      {"Nul.txt", "_Nul.txt"},
      {"aux.a.b", "_aux.a.b"},
      {"PRN ", "PRN_"},
      {"COM1", "_COM1"},
      {"com9.x", "_com9.x"},
      {"LPT5", "_LPT5"},
      {"CON .txt", "_CON .txt"},
      // Characters no name may hold, one "_" each.
      {"../x", ".._x"},
      {"..\\..\\x", ".._.._x"},
      {"a:b*c?d\"e<f>g|h", "a_b_c_d_e_f_g_h"},
      {"/", "_"},
      {std::string("a\0b", 3), "a_b"},
      {"a\tb\nc\x1F", "a_b_c_"},
      {"a\x7F", "a_"},
      {"a\xC2\x85z", "a_z"},
      // Invisible characters that hide or reorder a name: bidi overrides, line and paragraph separators,
      // zero-width ones and the byte-order mark.
      {"a\xE2\x80\xAEtxt.exe", "a_txt.exe"},
      {"\xE2\x80\xA8\xE2\x80\xA9", "__"},
      {"\xEF\xBB\xBF"
       "a",
       "_a"},
      {"a\xE2\x80\x8B\xE2\x81\xA6z", "a__z"},
      {"\xE2\x80\xAE..", "___"},
  };
  for (const Case& c : cases) EXPECT_EQ(SafeFileName(c.name), c.safe) << c.name;
}

// Areas named to leave the folder or to be dropped by Windows; the table's last one is ordinary.
constexpr std::string_view kHostileTable =
    "1300000 .. 深圳\n1300001 . ..\n1300002 广东省 ..\n1300003 CON NUL\n1300004 a. b.\n1300005 ../.. ../..\n"
    "1300006 \xE2\x80\xAE"
    "x \xEF\xBB\xBF"
    "y\n1300007 con aux.txt\n1300008 广东省 深圳市\n";

AreaTable HostileTable() {
  AreaTable::ParseError error;
  std::optional<AreaTable> table = AreaTable::Parse(kHostileTable, error);
  EXPECT_TRUE(table) << error.line << " " << error.reason;
  return std::move(*table);
}

// Every number of every area (and one without), twice over.
std::string HostileNumbers() {
  std::string text;
  for (int round = 0; round < 2; ++round) {
    for (int area = 0; area <= 9; ++area)
      text += "130000" + std::to_string(area) + "123" + std::to_string(round) + "\n";
  }
  return text;
}

// The files and folders under folder, by path relative to it; the bytes of all files together.
std::vector<std::string> EntriesUnder(const std::filesystem::path& folder, std::uint64_t& bytes) {
  std::vector<std::string> entries;
  bytes = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const std::u8string name = entry.path().lexically_relative(folder).generic_u8string();
    entries.emplace_back(name.begin(), name.end());
    if (entry.is_regular_file()) bytes += entry.file_size();
  }
  return entries;
}

TEST(SafeFileName, NoAreaFileLeavesTheFolder) {
  const AreaTable table = HostileTable();
  const std::string numbers = HostileNumbers();
  struct Case {
    const char* name;
    AreaLevel level;
    bool byCarrier;
    bool exported;  // 按地区导出, else classify --by
  };
  const Case cases[] = {
      {"export by province", AreaLevel::Province, false, true},
      {"export by city", AreaLevel::City, false, true},
      {"classify by province", AreaLevel::Province, false, false},
      {"classify by city", AreaLevel::City, false, false},
      {"classify by city and carrier", AreaLevel::City, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TemporaryFolder root;
    const std::filesystem::path out = root / "a" / "out";
    std::filesystem::create_directories(out);
    test::WriteFile(root / "numbers.txt", numbers);
    if (c.exported) {
      NumberFile file;
      ASSERT_FALSE(file.Open(root / "numbers.txt"));
      CategoryLists lists;
      ASSERT_FALSE(lists.Import(file, PrefixTable::Original()));
      EXPECT_TRUE(ExportByArea(out, lists, table, c.level, "\n").empty());
    } else {
      const ClassifyJob job{{root / "numbers.txt"}, out, "\n"};
      std::vector<std::uint64_t> counts;
      EXPECT_FALSE(ClassifyFilesByArea(job, AreaSplit(table, c.level, c.byCarrier), counts));
    }
    EXPECT_EQ(test::FileNamesIn(root.path()), (std::vector<std::string>{"a", "numbers.txt"}));
    EXPECT_EQ(test::FileNamesIn(root / "a"), std::vector<std::string>{"out"});
    std::uint64_t bytes = 0;
    const std::vector<std::string> entries = EntriesUnder(out, bytes);
    EXPECT_EQ(bytes, numbers.size());  // every number in some file
    for (const std::string& entry : entries) {
      std::string_view rest = entry;
      while (!rest.empty()) {
        const std::string_view part = rest.substr(0, rest.find('/'));
        rest.remove_prefix(std::min(rest.size(), part.size() + 1));
        EXPECT_EQ(SafeFileName(part), part) << entry;  // a folder or file name as the rule makes it
      }
      EXPECT_EQ(entry.find("\xE2\x80\xAE"), std::string::npos) << entry;
    }
  }
}

}  // namespace
}  // namespace zelvane
