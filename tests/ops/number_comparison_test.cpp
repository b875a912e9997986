#include "ops/number_comparison.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using test::TemporaryFolder;
using test::WriteFile;
using Numbers = std::vector<std::string>;

Numbers Listed(const NumberList& list) { return Numbers(list.begin(), list.end()); }

// Bytes that a literal cannot hold whole: a zero byte, and the two GBK bytes of the full-width comma.
const std::string kZero(1, '\0');
const std::string kFullWidthComma = "\xA3\xAC";
const std::string kCommaSecondByte = "\xAC";

struct ContainsCase {
  const char* name;
  std::string haystack;
  std::string needle;
  int result;
};

class ContainsSubstringTest : public testing::TestWithParam<ContainsCase> {};

TEST_P(ContainsSubstringTest, AnswersOneOrMinusOne) {
  EXPECT_EQ(ContainsSubstring(GetParam().haystack, GetParam().needle), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ContainsSubstringTest,
    testing::Values(ContainsCase{"Whole", "1234", "1234", 1},
                    ContainsCase{"AtStart", "12345", "123", 1},
                    ContainsCase{"AtEnd", "12345", "345", 1},
                    ContainsCase{"AfterFalseStart", "11112", "112", 1},
                    ContainsCase{"NeedleLonger", "123", "1234", -1},
                    ContainsCase{"CutAtEnd", "12341", "412", -1},
                    ContainsCase{"EmptyNeedle", "1234", "", -1},
                    ContainsCase{"EmptyHaystack", "", "1", -1},
                    ContainsCase{"HaystackEndsAtZero", "12" + kZero + "34", "34", -1},
                    ContainsCase{"NeedleEndsAtZero", "1234", "23" + kZero + "9", 1},
                    ContainsCase{"NeedleStartsWithZero", "1234", kZero + "1", -1},
                    ContainsCase{"NoCaseFolding", "ABCD", "bc", -1},
                    ContainsCase{"SecondByteOfGbkCharacter", kFullWidthComma + "1", kCommaSecondByte + "1", 1}),
    [](const auto& p) { return std::string(p.param.name); });

// What find same and find different list for scanned data against searched data.
struct CompareCase {
  const char* name;
  std::string scanned;
  std::string searched;
  Numbers same;
  Numbers different;
};

class CompareNumberFilesTest : public testing::TestWithParam<CompareCase> {};

TEST_P(CompareNumberFilesTest, ListsTheSelectedNumbers) {
  const CompareCase& c = GetParam();
  EXPECT_EQ(Listed(CompareNumberFiles(c.scanned, c.searched, ComparisonMode::FindSame)), c.same);
  EXPECT_EQ(Listed(CompareNumberFiles(c.scanned, c.searched, ComparisonMode::FindDifferent)), c.different);
  EXPECT_EQ(Listed(CompareNumberFilesNaively(c.scanned, c.searched, ComparisonMode::FindSame)), c.same);
  EXPECT_EQ(Listed(CompareNumberFilesNaively(c.scanned, c.searched, ComparisonMode::FindDifferent)), c.different);
}

const std::string k30 = "139123456781391234567813912345";

INSTANTIATE_TEST_SUITE_P(
    Cases, CompareNumberFilesTest,
    testing::Values(
        CompareCase{"BothEmpty", "", "", {}, {}},
        CompareCase{"EmptySearched", "13912345678\r\n1234", "", {}, {"13912345678", "1234"}},
        CompareCase{"WholeNumbers", "13912345678\r\n18612345678\r\n", "18612345678\r\n", {"18612345678"},
                    {"13912345678"}},
        CompareCase{"InsideLongerRun", "13912345678", "0086139123456789", {"13912345678"}, {}},
        CompareCase{"InsideRunLongerThanThirty", "13912345678", "9999999999999999999913912345678999", {"13912345678"},
                    {}},
        // The token is searched with its prefix and listed without it.
        CompareCase{"PrefixedTokenNotInPlainNumber", "+8613912345678", "13912345678", {}, {"13912345678"}},
        CompareCase{"PrefixedTokenInPrefixedNumber", "8613912345678", "+8613912345678", {"13912345678"}, {}},
        CompareCase{"PlainTokenInPrefixedNumber", "13912345678", "+8613912345678", {"13912345678"}, {}},
        CompareCase{"RepeatsListedEachTime", "13912345678\n18612345678\n13912345678,13912345678", "13912345678",
                    {"13912345678", "13912345678", "13912345678"}, {"18612345678"}},
        CompareCase{"AtVeryEndOfSearched", "5678\n1234\n9999", "1234\n5678", {"5678", "1234"}, {"9999"}},
        CompareCase{"SearchedEndsAtFirstZero", "13912345678\n18612345678", "13912345678" + kZero + "18612345678",
                    {"13912345678"}, {"18612345678"}},
        CompareCase{"TokenTextEndsAtZero", "1234" + kZero + "567\n", "01234", {"1234"}, {}},
        CompareCase{"TokenTextOfTwoBytes", "12" + kZero + kZero + "\n9876", "9120", {"12"}, {"9876"}},
        // A run that starts with a zero byte holds no number and is not listed, not even as an empty item.
        CompareCase{"TokenStartingWithZero", kZero + "1391234\n5678", "", {}, {"5678"}},
        CompareCase{"NoMatchAcrossSeparators", "1234", "12 34\n12,34\r\n12\r34", {}, {"1234"}},
        CompareCase{"TabAndFullWidthCommaAreContent", "1234\t5678\n1234" + kFullWidthComma + "5678",
                    "x1234\t5678x 1234" + kFullWidthComma + "5678",
                    {"1234\t5678", "1234" + kFullWidthComma + "5678"}, {}},
        CompareCase{"SecondByteOfGbkCharacter", kCommaSecondByte + "1234", kFullWidthComma + "1234",
                    {kCommaSecondByte + "1234"}, {}},
        CompareCase{"NoCaseFolding", "abcd", "ABCD", {}, {"abcd"}},
        CompareCase{"FourByteToken", "1234", "01234", {"1234"}, {}},
        CompareCase{"ThirtyByteToken", k30 + "\n" + k30.substr(1), "9" + k30 + "9", {k30, k30.substr(1)}, {}},
        CompareCase{"ThirtyByteTokenCutShort", k30, k30.substr(0, 29) + " " + k30.substr(1), {}, {k30}},
        CompareCase{"TokensSharingAPrefix", "1234\n12345\n123456", "12345", {"1234", "12345"}, {"123456"}},
        CompareCase{"SearchedRunsShorterThanToken", "12345", "1234\n2345", {}, {"12345"}},
        CompareCase{"ScannedWithoutFinalSeparator", "18612345678\n13912345678", "13912345678", {"13912345678"},
                    {"18612345678"}}),
    [](const auto& p) { return std::string(p.param.name); });

std::string Utf16Le(std::string_view ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) out += std::string{c, '\0'};
  return out;
}

// Which file is scanned, and that both are read as an import reads them.
struct FilesCase {
  const char* name;
  std::string file1;
  std::string file2;
  Numbers same;
  Numbers different;
};

class CompareFilesTest : public testing::TestWithParam<FilesCase> {};

TEST_P(CompareFilesTest, ScansTheLargerFile) {
  const FilesCase& c = GetParam();
  TemporaryFolder folder;
  WriteFile(folder / "1.txt", c.file1);
  WriteFile(folder / "2.txt", c.file2);
  NumberList same;
  NumberList different;
  ASSERT_FALSE(CompareFiles(folder / "1.txt", folder / "2.txt", ComparisonMode::FindSame, same));
  ASSERT_FALSE(CompareFiles(folder / "1.txt", folder / "2.txt", ComparisonMode::FindDifferent, different));
  EXPECT_EQ(Listed(same), c.same);
  EXPECT_EQ(Listed(different), c.different);
}

const std::string kUtf8Mark = "\xEF\xBB\xBF";

INSTANTIATE_TEST_SUITE_P(
    Cases, CompareFilesTest,
    testing::Values(
        FilesCase{"SecondLarger", "13912345678\n", "13912345678\n+8618612345678\n", {"13912345678"}, {"18612345678"}},
        FilesCase{"FirstLarger", "13912345678\n+8618612345678\n", "13912345678\n", {"13912345678"}, {"18612345678"}},
        FilesCase{"EqualSizesScanTheFirst", "13912345678\n", "18612345678\n", {}, {"13912345678"}},
        FilesCase{"BothEmpty", "", "", {}, {}},
        FilesCase{"EmptySearched", "13912345678", "", {}, {"13912345678"}},
        // 26 bytes on disk against 24, though the first holds only 12 once converted.
        FilesCase{"SizeOnDiskDecides", Utf16Le("13912345678\n"), "13912345678\n18612345678\n", {"13912345678"}, {}},
        FilesCase{"Utf16SearchedIsConverted", "13912345678\r\n18612345678\r\n15312345678\r\n", Utf16Le("18612345678"),
                  {"18612345678"}, {"13912345678", "15312345678"}},
        FilesCase{"ByteOrderMarksSkipped", kUtf8Mark + "13912345678\r\n18612345678", kUtf8Mark + "18612345678",
                  {"18612345678"}, {"13912345678"}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(CompareFiles, SameFileTwiceListsEveryNumberAsSame) {
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", "+8613912345678\r\n18612345678\r\n18612345678\r\n1234");
  NumberList same;
  NumberList different;
  ASSERT_FALSE(CompareFiles(folder / "a.txt", folder / "a.txt", ComparisonMode::FindSame, same));
  ASSERT_FALSE(CompareFiles(folder / "a.txt", folder / "a.txt", ComparisonMode::FindDifferent, different));
  EXPECT_EQ(Listed(same), (Numbers{"13912345678", "18612345678", "18612345678", "1234"}));
  EXPECT_EQ(Listed(different), Numbers{});
}

// A file that cannot be read is named, whichever of the two it is, and the result keeps what it held.
struct FailureCase {
  const char* name;
  const char* file1;
  const char* file2;
  const char* failing;
  const char* reason;
};

class CompareFilesFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(CompareFilesFailure, NamesTheFileAndLeavesTheResult) {
  const FailureCase& c = GetParam();
  TemporaryFolder folder;
  WriteFile(folder / "big.txt", "13912345678\n18612345678\n");
  WriteFile(folder / "small.txt", "13912345678\n");
  std::filesystem::create_directory(folder / "dir");
  NumberList result;
  result.Append("earlier");
  const FileResult error = CompareFiles(folder / c.file1, folder / c.file2, ComparisonMode::FindSame, result);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Message(), "无法读取文件“" + (folder / c.failing).string() + "”：" + c.reason);
  EXPECT_EQ(Listed(result), Numbers{"earlier"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompareFilesFailure,
    testing::Values(FailureCase{"FirstMissing", "missing.txt", "small.txt", "missing.txt", "文件或文件夹不存在"},
                    FailureCase{"SecondMissing", "big.txt", "missing.txt", "missing.txt", "文件或文件夹不存在"},
                    FailureCase{"BothMissing", "gone1.txt", "gone2.txt", "gone1.txt", "文件或文件夹不存在"},
                    FailureCase{"SecondIsFolder", "small.txt", "dir", "dir", "这是一个文件夹，不是文件"}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace zelvane
