// Numbers split by home area: the file each area goes to, the same bytes whether the numbers were held
// in memory or put aside in a temporary file, and a stopped split that changes nothing.

#include "ops/area_classify.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <array>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using test::TemporaryFolder;

AreaTable TableOf(std::string_view text) {
  AreaTable::ParseError error;
  std::optional<AreaTable> table = AreaTable::Parse(text, error);
  EXPECT_TRUE(table) << error.line << " " << error.reason;
  return std::move(*table);
}

// Every file of a folder and its bytes, temporary files included.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const std::string& name : test::FileNamesIn(folder)) files[name] = test::ReadFile(folder / PathFromText(name));
  return files;
}

TEST(AreaSplit, NamesEachAreasFile) {
  const AreaTable table = TableOf(
      "1300000 广东省 深圳市\n1300001 北京市 北京市\n1300002 辽宁省 沈阳市、铁岭市、抚顺市\n1300003 ../x a:b|c\n"
      "1300004 Abc 一\n1300005 abc 一\n1300006 abc 二\n0755 广东省 深圳市\n");
  // A number of the area, and its file split by province, city, province and carrier, city and carrier.
  // clang-format off
  const std::tuple<std::string, NumberCategory, std::array<std::string, 4>> cases[] = {
      {"13000001234", NumberCategory::Unicom, {"广东省.txt", "广东省-深圳市.txt", "广东省-联通.txt", "广东省-深圳市-联通.txt"}},
      {"075512345678", NumberCategory::Phs, {"广东省.txt", "广东省-深圳市.txt", "广东省-小灵通.txt", "广东省-深圳市-小灵通.txt"}},
      {"13000011234", NumberCategory::Mobile, {"北京市.txt", "北京市.txt", "北京市-移动.txt", "北京市-移动.txt"}},
      {"13000021234", NumberCategory::Telecom,
       {"辽宁省.txt", "辽宁省-沈阳市、铁岭市、抚顺市.txt", "辽宁省-电信.txt", "辽宁省-沈阳市、铁岭市、抚顺市-电信.txt"}},
      {"13000031234", NumberCategory::Other, {".._x.txt", ".._x-a_b_c.txt", ".._x-其他.txt", ".._x-a_b_c-其他.txt"}},
      {"13000041234", NumberCategory::Mobile, {"Abc.txt", "Abc-一.txt", "Abc-移动.txt", "Abc-一-移动.txt"}},
      {"13000051234", NumberCategory::Mobile, {"Abc.txt", "Abc-一.txt", "Abc-移动.txt", "Abc-一-移动.txt"}},
      {"13000061234", NumberCategory::Mobile, {"Abc.txt", "abc-二.txt", "Abc-移动.txt", "abc-二-移动.txt"}},
      {"19912345678", NumberCategory::Other, {"未知地区.txt", "未知地区.txt", "未知地区-其他.txt", "未知地区-其他.txt"}},
      {"0101234567", NumberCategory::Phs, {"未知地区.txt", "未知地区.txt", "未知地区-小灵通.txt", "未知地区-小灵通.txt"}},
  };
  // clang-format on
  const AreaSplit splits[] = {{table, AreaLevel::Province, false},
                              {table, AreaLevel::City, false},
                              {table, AreaLevel::Province, true},
                              {table, AreaLevel::City, true}};
  for (const auto& [number, category, names] : cases) {
    for (std::size_t s = 0; s < names.size(); ++s) {
      EXPECT_EQ(splits[s].FileName(splits[s].FileOf(table.Lookup(number), category)), names[s]) << number << " " << s;
    }
  }
  // Provinces 广东省 北京市 辽宁省 ../x Abc 未知地区; cities one more (abc 二), each also by five carriers.
  const std::size_t counts[] = {6, 7, 30, 35};
  for (std::size_t s = 0; s < std::size(splits); ++s) EXPECT_EQ(splits[s].FileCount(), counts[s]) << s;
}

// Tens of thousands of numbers of 130 and 139 by city and carrier: over a hundred files, most with
// more numbers than a frame holds.
std::string ManyNumbers() {
  std::string text;
  for (long long i = 0; i < 60000; ++i) {
    text += std::to_string((i % 2 == 0 ? 13000000000LL : 13900000000LL) + i * 7919 % 3000000) + "\n";
  }
  return text;
}

// Put aside in a temporary file (no memory at all, the smallest frames) or held in memory, with a
// short separator or one that makes records longer than a short copy, the files are the same: each
// holds its numbers in input order, and no old file or temporary one is left.
TEST(ClassifyFilesByArea, SameFilesHeldOrPutAside) {
  TemporaryFolder folder;
  const std::string numbers = ManyNumbers();
  test::WriteFile(folder / "numbers.txt", numbers);
  const AreaSplit split(AreaTable::BuiltIn(), AreaLevel::City, true);
  TemporaryFolder out;  // the second run replaces the first one's files: the old ones go, in parallel
  const std::pair<std::uint64_t, std::string> runs[] = {{0, ","},
                                                        {std::uint64_t{1} << 30, std::string(40, '-') + "\n"}};
  for (const auto& [memory, separator] : runs) {
    std::map<std::string, std::string> expected;
    for (std::size_t at = 0; at < numbers.size(); at += 12) {
      const std::string_view number = std::string_view(numbers).substr(at, 11);
      const auto category = PrefixTable::Original().Classify(number);
      expected[split.FileName(split.FileOf(AreaTable::BuiltIn().Lookup(number), category))] +=
          std::string(number) + separator;
    }
    ASSERT_GT(expected.size(), 100U);
    const ClassifyJob job{{folder / "numbers.txt"}, out.path(), separator};
    std::vector<std::uint64_t> counts;
    const FileResult error = ClassifyFilesByArea(job, split, counts, memory);
    ASSERT_FALSE(error) << error->Message();
    EXPECT_TRUE(Snapshot(out.path()) == expected) << memory;
    std::uint64_t written = 0;
    for (std::size_t file = 0; file < counts.size(); ++file) {
      written += counts[file];
      EXPECT_EQ(counts[file] != 0, expected.contains(split.FileName(file))) << split.FileName(file);
    }
    EXPECT_EQ(written, 60000U);
  }
}

// Stopped before or while the numbers are read, nothing changes.
TEST(ClassifyFilesByArea, StoppedChangesNothing) {
  TemporaryFolder folder;
  std::string numbers;
  while (numbers.size() < 3 * WorkProgress::kReportStep) numbers += ManyNumbers();
  test::WriteFile(folder / "numbers.txt", numbers);
  const AreaSplit split(AreaTable::BuiltIn(), AreaLevel::Province, false);
  for (const std::string_view name : {"广东省.txt", "北京市.txt", "未知地区.txt"}) {
    test::WriteFile(folder / name, "old");
  }
  const std::map<std::string, std::string> before = Snapshot(folder.path());
  for (const std::uint64_t stopAt : {std::uint64_t{0}, WorkProgress::kReportStep}) {
    std::stop_source stop;
    if (stopAt == 0) stop.request_stop();
    WorkProgress progress(stop.get_token(), [&](std::uint64_t done, std::uint64_t) {
      if (done >= stopAt) stop.request_stop();
    });
    const ClassifyJob job{{folder / "numbers.txt"}, folder.path(), "\r\n", &PrefixTable::Original(), false, &progress};
    std::vector<std::uint64_t> counts;
    EXPECT_TRUE(WasCancelled(ClassifyFilesByArea(job, split, counts))) << stopAt;
    EXPECT_EQ(Snapshot(folder.path()), before) << stopAt;
  }
}

#ifndef _WIN32
// A table of 65,534 areas split by city and carrier makes 327,670 files: what their numbers wait in
// stays within the memory budget (here within a limit of 1 GiB more than the test's own), on an empty
// input as on one that reaches hundreds of the files.
TEST(ClassifyFilesByArea, FramesStayWithinTheBudgetWhateverTheFileCount) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizers reserve more address space than the limit allows";
#endif
  std::string text;
  for (int area = 0; area < 65534; ++area) {
    text += std::to_string(1300000 + area) + " 省" + std::to_string(area / 100) + " 市" + std::to_string(area) + "\n";
  }
  const AreaTable table = TableOf(text);
  const AreaSplit split(table, AreaLevel::City, true);
  ASSERT_EQ(split.FileCount(), 65535U * kCategoryCount);
  TemporaryFolder folder;
  std::string numbers;
  for (int area = 0; area < 65534; area += 211) numbers += std::to_string(13000000000LL + area * 10000LL) + "\n";
  test::WriteFile(folder / "numbers.txt", numbers);
  test::WriteFile(folder / "empty.txt", "");
  for (const char* input : {"empty.txt", "numbers.txt"}) {
    const auto classifyWithinTheLimit = [&] {
      std::ifstream statm("/proc/self/statm");
      std::uint64_t pages = 0;
      statm >> pages;
      const rlim_t limit = pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (rlim_t{1} << 30);
      const rlimit space{limit, limit};
      if (::setrlimit(RLIMIT_AS, &space) != 0) std::_Exit(2);
      TemporaryFolder out;
      const ClassifyJob job{{folder / input}, out.path(), "\n"};
      std::vector<std::uint64_t> counts;
      std::_Exit(ClassifyFilesByArea(job, split, counts) ? 1 : 0);
    };
    EXPECT_EXIT(classifyWithinTheLimit(), testing::ExitedWithCode(0), "") << input;
  }
}
#endif

}  // namespace
}  // namespace zelvane
