// Hashed and masked number files: which tokens are written, the mask, and digests that stay in the
// order of their numbers at the sizes where blocks fill and go to a second thread.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/platform/digest.h"
#include "ops/digest_blocks.h"
#include "ops/number_file_writer.h"
#include "tests/support/test_files.h"
#include "tests/support/workbook_contents.h"

namespace zelvane {
namespace {

using test::ReadFile;
using test::TemporaryFolder;
using Numbers = std::vector<std::string>;

std::string Masked(std::string_view number) {
  std::string out(number.size(), '\0');
  WriteMasked(number, out.data());
  return out;
}

TEST(MaskedNumbers, TheFourDigitsBeforeTheLastFour) {
  const std::pair<const char*, const char*> cases[] = {
      {"13800138000", "138****8000"},    // a mobile number
      {"075512345678", "0755****5678"},  // a landline keeps its 0 and area code
      {"01012345678", "010****5678"},    // and a three-digit one
      {"12345678", "****5678"},          // eight digits: nothing but the last four shown
      {"95588", "*5588"},                // fewer than eight: what there is before the last four
      {"5093", "****"},                  // a group of a number written in groups shows nothing
      {"4001236024", "40****6024"},
  };
  for (const auto& [number, masked] : cases) EXPECT_EQ(Masked(number), masked) << number;
}

TEST(NumberForms, NamesAndWhatIsANumber) {
  EXPECT_EQ(FormNamed("md5"), NumberForm::Md5);
  EXPECT_EQ(FormNamed("sha256"), NumberForm::Sha256);
  for (const char* name : {"MD5", "sha-256", "sha1", ""}) EXPECT_EQ(FormNamed(name), std::nullopt) << name;
  for (const char* token : {"13912345678", "075512345678", "95588"}) EXPECT_TRUE(WrittenInForm(token)) << token;
  for (const char* token : {"", "1391234567?", "12\xD6\xD0", "tel:15288015991", "0731-3979306", "+8613912345678"}) {
    EXPECT_FALSE(WrittenInForm(token)) << token;
  }
}

// Generated numbers with a text token every 97th, so that tokens are left out across block edges.
Numbers NumbersWithText(std::size_t count) {
  Numbers numbers;
  for (std::size_t i = 0; i < count; ++i) {
    numbers.push_back(i % 97 == 5 ? "x" + std::to_string(i) : std::to_string(13800000000 + i * 7919 % 100000000));
  }
  return numbers;
}

// Every size where a block is not full, fills, fills and goes to a second thread, and spills into the next.
TEST(HashedNumberFile, EveryNumberHashedInItsOrderAtEveryBlockSize) {
  constexpr std::size_t kBlock = DigestBlocks::kBlockNumbers;
  TemporaryFolder folder;
  for (const auto& [form, kind] :
       {std::pair{NumberForm::Md5, DigestKind::Md5}, {NumberForm::Sha256, DigestKind::Sha256}}) {
    Digester digester(kind);
    for (const std::size_t count : {std::size_t{0}, std::size_t{1}, kBlock / 2 - 1, kBlock / 2, kBlock - 1, kBlock,
                                    kBlock + 1, 2 * kBlock + kBlock / 2 + 3}) {
      const Numbers numbers = NumbersWithText(count);
      std::string expected;
      std::uint64_t text = 0;
      for (const std::string& number : numbers) {
        if (number[0] == 'x') {
          ++text;
          continue;
        }
        std::string hex(DigestHexLength(kind), '\0');
        digester.HexDigest(number, hex.data());
        expected += hex + "\n";
      }
      NumberOutputCounts written{9, 9};
      ASSERT_FALSE(WriteNumberFile(folder / "a.txt", numbers, "\n", nullptr, {NumberFileFormat::Text, form}, &written));
      EXPECT_TRUE(ReadFile(folder / "a.txt") == expected) << count << " numbers";
      EXPECT_EQ(written.leftOut, text) << count << " numbers";
      EXPECT_EQ(written.replaced, 0u);
    }
  }
}

// In a table each digest or masked number is a cell of its own, under the same header.
TEST(HashedNumberFile, TablesTakeTheFormedNumbers) {
  TemporaryFolder folder;
  const Numbers numbers = {"13800138000", "张三", "075512345678"};
  NumberOutputCounts written;
  ASSERT_FALSE(
      WriteNumberFile(folder / "a.csv", numbers, "\r\n", nullptr, {NumberFileFormat::Csv, NumberForm::Md5}, &written));
  EXPECT_EQ(ReadFile(folder / "a.csv"),
            "\xEF\xBB\xBF号码\r\n7945bd83237335e5376ff44d62e4f0ae\r\n14916ed591dd879d6e423c9a800fbdd2\r\n");
  EXPECT_EQ(written.leftOut, 1u);
  ASSERT_FALSE(WriteNumberFile(folder / "a.xlsx", numbers, "\r\n", nullptr,
                               {NumberFileFormat::Xlsx, NumberForm::Masked}, &written));
  const auto entries = test::ZipEntries(folder / "a.xlsx");
  const std::vector<test::SheetCell> cells = test::SheetCells(entries.at("xl/worksheets/sheet1.xml"));
  ASSERT_EQ(cells.size(), 3u);
  EXPECT_EQ(cells[1].text, "138****8000");
  EXPECT_EQ(cells[2].text, "0755****5678");
  EXPECT_EQ(written.leftOut, 1u);
}

}  // namespace
}  // namespace zelvane
