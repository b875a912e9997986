// 按地区导出: each area's numbers in import order in its file, named as classify --by names them; a target
// that cannot be written or a stop leaves every file and folder as it was.

#include "ops/area_export.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using test::TemporaryFolder;

constexpr std::string_view kTable =
    "1390000 广东省 深圳市\n1390001 广东省 广州市\n1860000 北京市 北京市\n1330000 辽宁省 沈阳市\n"
    "0755 广东省 深圳市\n1890000 a:b c/d\n1350000 河北省 石家庄市\n010 北京市 北京市\n";

// A kind of number and its file split by province, by city.
struct Kind {
  std::string prefix;
  std::string province;
  std::string city;
};
const Kind kKinds[] = {
    {"1390000", "广东省.txt", "广东省/深圳市.txt"},  {"1390001", "广东省.txt", "广东省/广州市.txt"},
    {"1860000", "北京市.txt", "北京市.txt"},         {"1330000", "辽宁省.txt", "辽宁省/沈阳市.txt"},
    {"07550000", "广东省.txt", "广东省/深圳市.txt"}, {"1890000", "a_b.txt", "a_b/c_d.txt"},
    {"1991234", "未知地区.txt", "未知地区.txt"},     {"0100000", "北京市.txt", "北京市.txt"},
    {"9", "未知地区.txt", "未知地区.txt"},
};
constexpr int kNumbers = 6000;

const AreaTable& Table() {
  static const AreaTable table = [] {
    AreaTable::ParseError error;
    return *AreaTable::Parse(kTable, error);
  }();
  return table;
}

// Number i of the import: the kinds mixed, so that categories and areas take turns unevenly.
std::string NumberOf(int i, const Kind*& kind) {
  kind = &kKinds[(i * 5 + i / 9) % std::size(kKinds)];
  const std::string digits = std::to_string(10000 + i).substr(1);
  return kind->prefix + digits;
}

struct Scene {
  TemporaryFolder folder;
  CategoryLists lists;

  Scene() {
    std::string text;
    const Kind* kind = nullptr;
    for (int i = 0; i < kNumbers; ++i) text += NumberOf(i, kind) + "\n";
    test::WriteFile(folder / "numbers.in", text);
    NumberFile file;
    EXPECT_FALSE(file.Open(folder / "numbers.in"));
    EXPECT_FALSE(lists.Import(file, PrefixTable::Original()));
    std::filesystem::remove(folder / "numbers.in");
    for (const NumberCategory category : kAllCategories) EXPECT_GT(lists[category].size(), 300U);
    // Old files the export replaces or leaves alone.
    test::WriteFile(folder / "notes.txt", "keep");
    test::WriteFile(folder / "北京市.txt", "old");
  }

  std::map<std::string, std::string> Expected(AreaLevel split, std::string_view separator) const {
    std::map<std::string, std::string> files = {{"notes.txt", "keep"}};
    const Kind* kind = nullptr;
    for (int i = 0; i < kNumbers; ++i) {
      const std::string number = NumberOf(i, kind);
      const std::string& name = split == AreaLevel::City ? kind->city : kind->province;
      files[name] += number + std::string(separator);
      if (const auto slash = name.find('/'); slash != std::string::npos) files[name.substr(0, slash + 1)];
    }
    return files;
  }
};

// Every file and folder ("广东省/") under folder, temporary ones included, and the bytes of each file.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    std::string name;
    for (const auto& part : entry.path().lexically_relative(folder))
      name += (name.empty() ? "" : "/") + PathInMessage(part);
    entries[entry.is_directory() ? name + "/" : name] = entry.is_directory() ? "" : test::ReadFile(entry.path());
  }
  return entries;
}

// As CSV: the same numbers, a cell each under the header, in files named .csv; the old .txt stays.
TEST(ExportByArea, WritesCsvFilesInTheSameOrder) {
  Scene scene;
  NumberOutputCounts written{9, 9};
  EXPECT_TRUE(ExportByArea(scene.folder.path(), scene.lists, Table(), AreaLevel::City, "\r\n", nullptr,
                           NumberFileFormat::Csv, &written)
                  .empty());
  EXPECT_EQ(written.replaced, 0u);
  std::map<std::string, std::string> expected = {{"北京市.txt", "old"}};
  for (const auto& [name, content] : scene.Expected(AreaLevel::City, "\r\n")) {
    const bool numbers = name.ends_with(".txt") && name != "notes.txt";
    expected[numbers ? name.substr(0, name.size() - 4) + ".csv" : name] =
        numbers ? "\xEF\xBB\xBF号码\r\n" + content : content;
  }
  EXPECT_TRUE(Snapshot(scene.folder.path()) == expected);
}

TEST(ExportByArea, WritesEachAreasNumbersInImportOrder) {
  for (const AreaLevel split : {AreaLevel::Province, AreaLevel::City}) {
    for (const std::string_view separator : {",", "\r\n--"}) {
      SCOPED_TRACE(std::to_string(split == AreaLevel::City) + " " + std::string(separator));
      Scene scene;
      WorkProgress progress;
      EXPECT_TRUE(ExportByArea(scene.folder.path(), scene.lists, Table(), split, separator, &progress).empty());
      const std::map<std::string, std::string> expected = scene.Expected(split, separator);
      EXPECT_TRUE(Snapshot(scene.folder.path()) == expected);
      std::uint64_t bytes = 0;
      for (const auto& [name, content] : expected) bytes += name == "notes.txt" ? 0 : content.size();
      EXPECT_EQ(progress.Done(), bytes);
      EXPECT_GE(progress.Total(), bytes);
    }
  }
}

// The target that cannot be written comes after others were written and folders made: none stays.
TEST(ExportByArea, FailingTargetChangesNothing) {
  struct Case {
    AreaLevel split;
    std::string blocked;  // made a folder, a read-only file or (without ".txt") a file
    bool readOnly;
  };
  const Case cases[] = {
      {AreaLevel::City, "未知地区.txt", false},
      {AreaLevel::Province, "辽宁省.txt", true},
      {AreaLevel::City, "a_b", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.blocked);
    Scene scene;
    const std::filesystem::path blocked = scene.folder / c.blocked;
    if (c.blocked.ends_with(".txt") && !c.readOnly) {
      std::filesystem::create_directory(blocked);
    } else {
      test::WriteFile(blocked, "old");
    }
    if (c.readOnly) std::filesystem::permissions(blocked, std::filesystem::perms::owner_read);
    const std::map<std::string, std::string> before = Snapshot(scene.folder.path());
    const std::vector<FileError> failures = ExportByArea(scene.folder.path(), scene.lists, Table(), c.split, ",");
    ASSERT_EQ(failures.size(), 1U);
    EXPECT_FALSE(failures[0].cancelled);
    EXPECT_EQ(failures[0].path, blocked) << failures[0].Message();
    EXPECT_TRUE(Snapshot(scene.folder.path()) == before);
    std::filesystem::permissions(blocked, std::filesystem::perms::owner_all);
  }
}

// Stopped before the export or once a few MiB were written (a long separator), nothing changes.
TEST(ExportByArea, StoppedChangesNothing) {
  const std::string separator(1000, '\n');
  for (const std::uint64_t stopAt : {std::uint64_t{0}, WorkProgress::kReportStep}) {
    Scene scene;
    const std::map<std::string, std::string> before = Snapshot(scene.folder.path());
    std::stop_source stop;
    if (stopAt == 0) stop.request_stop();
    WorkProgress progress(stop.get_token(), [&](std::uint64_t done, std::uint64_t) {
      if (done >= stopAt) stop.request_stop();
    });
    const std::vector<FileError> failures =
        ExportByArea(scene.folder.path(), scene.lists, Table(), AreaLevel::City, separator, &progress);
    ASSERT_EQ(failures.size(), 1U) << stopAt;
    EXPECT_TRUE(failures[0].cancelled) << stopAt;
    EXPECT_TRUE(Snapshot(scene.folder.path()) == before) << stopAt;
  }
}

}  // namespace
}  // namespace zelvane
