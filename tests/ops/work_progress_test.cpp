// Long operations watched and stopped: stopped, they change nothing, files or lists; left alone, they
// count every byte.

#include "core/work_progress.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <map>
#include <string>

#include "core/category_lists.h"
#include "ops/category_files.h"
#include "ops/classify_files.h"
#include "ops/number_comparison.h"
#include "ops/number_file_writer.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using test::TemporaryFolder;

// Several of the reader's 1 MiB pieces and several reports (every 4 MiB): 13 bytes a number.
constexpr std::size_t kNumbers = 900'000;
constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();

std::string ManyNumbers() {
  std::string text;
  for (std::size_t i = 0; i < kNumbers; ++i) text += std::to_string(13900000000 + i * 7919 % 100000000) + "\r\n";
  return text;
}

// Every file of a folder and its bytes, temporary files included.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const std::string& name : test::FileNamesIn(folder)) files[name] = test::ReadFile(folder / test::PathFromText(name));
  return files;
}

std::string Describe(const CategoryLists& lists) {
  std::string text;
  for (NumberCategory category : kAllCategories) {
    for (std::string_view number : lists[category]) text += std::string(number) + " ";
    text += "| ";
  }
  return text + std::to_string(lists.Order().size());
}

// A folder with an input file, old category files and an old export, and lists with a few numbers.
struct Scene {
  TemporaryFolder folder;
  std::filesystem::path input = folder / "numbers.txt";
  std::filesystem::path whitelist = folder / "whitelist.txt";
  CategoryLists lists;

  Scene() {
    const std::string numbers = ManyNumbers();
    test::WriteFile(input, numbers);
    test::WriteFile(whitelist, numbers.substr(0, numbers.size() / 3));
    for (NumberCategory category : kAllCategories) test::WriteFile(folder / std::string(CategoryFileName(category)), "old");
    test::WriteFile(folder / "export.txt", "old export");
    NumberFile file;
    EXPECT_FALSE(file.Open(input));
    EXPECT_FALSE(lists.Import(file, PrefixTable::Original()));
  }
};

struct Operation {
  const char* name;
  std::function<FileResult(Scene&, WorkProgress&)> run;
};

const Operation kOperations[] = {
    {"import",
     [](Scene& scene, WorkProgress& progress) {
       NumberFile file;
       if (FileResult error = file.Open(scene.input)) return error;
       progress.SetTotal(file.Size());
       return scene.lists.Import(file, PrefixTable::Original(), &progress);
     }},
    {"classify",
     [](Scene& scene, WorkProgress& progress) {
       ClassifyJob job{{scene.input, scene.input}, scene.folder.path(), "\r\n"};
       job.progress = &progress;
       CategoryCounts counts{};
       return ClassifyFiles(job, counts);
     }},
    {"one-click export",
     [](Scene& scene, WorkProgress& progress) -> FileResult {
       std::vector<FileError> failures = ExportCategoryLists(scene.folder.path(), scene.lists, ",", &progress);
       if (failures.empty()) return std::nullopt;
       EXPECT_EQ(failures.size(), 1u);
       return failures.front();
     }},
    {"export",
     [](Scene& scene, WorkProgress& progress) {
       progress.SetTotal(scene.lists[NumberCategory::Mobile].size() * 13);
       return WriteNumberFile(scene.folder / "export.txt", scene.lists[NumberCategory::Mobile], "\r\n", &progress);
     }},
    {"compare",
     [](Scene& scene, WorkProgress& progress) {
       NumberList result;
       return CompareFiles(scene.input, scene.whitelist, ComparisonMode::FindDifferent, result, &progress);
     }},
};

TEST(WorkProgress, StoppedOperationsChangeNothing) {
  // Stopped before the work begins, at its first report, or never.
  for (const std::uint64_t stopAt : {std::uint64_t{0}, WorkProgress::kReportStep, kNever}) {
    for (const Operation& operation : kOperations) {
      SCOPED_TRACE(std::string(operation.name) + " stopped at " + std::to_string(stopAt));
      Scene scene;
      const std::map<std::string, std::string> filesBefore = Snapshot(scene.folder.path());
      const std::string listsBefore = Describe(scene.lists);
      std::stop_source stop;
      if (stopAt == 0) stop.request_stop();
      std::uint64_t lastDone = 0;
      WorkProgress progress(stop.get_token(), [&](std::uint64_t done, std::uint64_t) {
        EXPECT_GE(done, lastDone);
        lastDone = done;
        if (done >= stopAt) stop.request_stop();
      });
      const FileResult result = operation.run(scene, progress);
      if (stopAt == kNever) {
        EXPECT_FALSE(result) << result->Message();
        EXPECT_GE(progress.Done(), progress.Total() * 9 / 10) << "the total is about what was done";
        EXPECT_LE(progress.Done(), progress.Total() + progress.Total() / 10);
        continue;
      }
      ASSERT_TRUE(WasCancelled(result)) << (result ? result->Message() : "finished");
      EXPECT_LT(progress.Done(), std::max<std::uint64_t>(stopAt, 1) + 2 * WorkProgress::kReportStep)
          << "it stops soon after it is asked to";
      EXPECT_EQ(Snapshot(scene.folder.path()), filesBefore);
      EXPECT_EQ(Describe(scene.lists), listsBefore);
    }
  }
}

TEST(WorkProgress, StoppedRebuildsAreIncomplete) {
  Scene scene;
  std::stop_source stop;
  stop.request_stop();
  WorkProgress progress(stop.get_token(), {});
  std::uint64_t removed = 0;
  EXPECT_FALSE(scene.lists.WithoutRepeats(removed, &progress));
  EXPECT_LT(scene.lists.Reclassified(PrefixTable::Current(), &progress).size(), scene.lists.size());
}

TEST(SharedProgress, PermilleOfTheLatestReport) {
  struct Case {
    std::uint64_t done, total;
    int permille;
  };
  const Case cases[] = {{0, 0, 0},     {5, 0, 0},   {0, 7, 0},  {1, 3, 333},
                        {7, 7, 1000},  {9, 7, 1000}, {kNever / 2, kNever, 499}};
  for (const Case& c : cases) {
    SharedProgress shared;
    WorkProgress progress = shared.ForWork();
    progress.SetTotal(c.total);
    progress.Advance(c.done);
    progress.SetTotal(c.total);  // reports
    EXPECT_EQ(shared.Permille(), c.permille) << c.done << " of " << c.total;
  }
}

}  // namespace
}  // namespace zelvane
