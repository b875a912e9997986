// What one start of the window leaves for the next: tables, the prompts' folder, the separator,
// 号码分析 and the window's place, kept in a store of the test's own.

#include "ui/logic/remembered_choices.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/doubles/memory_settings.h"
#include "tests/doubles/scripted_view.h"
#include "tests/support/test_files.h"
#include "ui/logic/main_dialog_logic.h"
#include "ui/logic/window_placement.h"

namespace zelvane {
namespace {

using Log = std::vector<std::string>;

// 13900000001 is 移动 by both built-in tables; the prefix table file makes it 联通, the area table
// file puts it in 测试省 测试市.
constexpr std::string_view kPrefixTableText = "139\t联通\n";
constexpr std::string_view kAreaTableText = "1390000 测试省 测试市\n";

// One start of the window over a store that outlives it.
struct Start {
  test::ScriptedView view;
  test::RecordingNumbers numbers;
  MainDialogLogic logic{view, numbers};

  explicit Start(SettingsStore& store) {
    view.settings = &store;
    logic.RestoreChoices();
  }
  void Import(const std::filesystem::path& file) {
    view.paths.emplace_back(file);
    logic.RunCommand([&] { logic.OnImport(); });
  }
  // The category of the one number imported.
  std::string CategoryOfTheNumber() const {
    for (NumberCategory category : kAllCategories) {
      if (logic.Lists().Counts()[CategoryIndex(category)] > 0) return std::string(CategoryLabel(category));
    }
    return "none";
  }
  // The entries of the area choice, without their counts.
  std::vector<std::string> AreaLabels() const {
    std::vector<std::string> labels;
    for (const AreaEntry& entry : view.areas) labels.push_back(entry.label);
    return labels;
  }
};

struct Files {
  test::TemporaryFolder folder;
  std::filesystem::path prefixes = folder / "号段.txt";
  std::filesystem::path areas = folder / "归属地.txt";
  std::filesystem::path numbers = folder / "numbers.txt";
  std::filesystem::path whitelist = folder / "white list.txt";
  Files() {
    test::WriteFile(prefixes, kPrefixTableText);
    test::WriteFile(areas, kAreaTableText);
    test::WriteFile(numbers, "13900000001\r\n");
    test::WriteFile(whitelist, "13900000001\r\n");
  }
};

// The first start sorts by the original table with the built-in areas, and offers nothing typed before.
TEST(RememberedChoicesTest, FirstStartUsesTheBuiltInTablesAndOffersNothing) {
  const Files files;
  test::MemorySettings store;
  Start first(store);
  EXPECT_EQ(first.view.log, Log{});
  EXPECT_EQ(first.view.statusLine, "");
  first.Import(files.numbers);
  EXPECT_EQ(first.CategoryOfTheNumber(), "移动");

  first.view.paths.emplace_back(files.folder / "out.txt");
  first.view.separators.emplace_back(",");
  first.logic.RunCommand([&] { first.logic.OnExport(); });
  first.logic.RunCommand([&] { first.logic.OnAnalysis(); });
  EXPECT_EQ(first.view.offeredSeparators, std::vector<std::string>{""});
  EXPECT_EQ(first.view.offeredAnalyses, std::vector<ComparisonRequest>{ComparisonRequest{}});
}

// A second start opens with the tables, the separator and 号码分析 the first one left.
TEST(RememberedChoicesTest, SecondStartOpensWithWhatTheFirstLeft) {
  const Files files;
  test::MemorySettings store;
  {
    Start first(store);
    first.view.paths.emplace_back(files.prefixes);
    first.logic.RunCommand([&] { first.logic.OnTableChosen(MainDialogLogic::kLoadTableEntry); });
    first.view.paths.emplace_back(files.areas);
    first.logic.RunCommand([&] { first.logic.OnAreaTableChosen(MainDialogLogic::kLoadTableEntry); });
    first.view.paths.emplace_back(files.folder / "out.txt");
    first.view.separators.emplace_back("，");
    first.logic.RunCommand([&] { first.logic.OnExport(); });
    first.view.comparisons.push_back(ComparisonRequest{files.numbers, files.whitelist, ComparisonMode::FindDifferent});
    first.logic.RunCommand([&] { first.logic.OnAnalysis(); });
  }
  Start second(store);
  EXPECT_EQ(second.view.log, (Log{"ShowLoadedTable 号段.txt " + PathInMessage(files.prefixes),
                                  "ShowLoadedAreaTable 归属地.txt " + PathInMessage(files.areas)}));
  second.Import(files.numbers);
  EXPECT_EQ(second.CategoryOfTheNumber(), "联通");
  EXPECT_EQ(second.AreaLabels()[1].substr(0, std::string_view("测试省").size()), "测试省");

  second.view.paths.emplace_back(files.folder / "out.txt");
  second.logic.RunCommand([&] { second.logic.OnExport(); });
  second.logic.RunCommand([&] { second.logic.OnAnalysis(); });
  EXPECT_EQ(second.view.offeredSeparators, std::vector<std::string>{"，"});
  const ComparisonRequest left{files.numbers, files.whitelist, ComparisonMode::FindDifferent};
  EXPECT_EQ(second.view.offeredAnalyses, std::vector<ComparisonRequest>{left});
}

// Each table entry chosen is the one the next start opens with; going back to a built-in table
// forgets the file.
TEST(RememberedChoicesTest, TheTableChosenLastIsTheOneRestored) {
  const Files files;
  struct Case {
    const char* name;
    std::vector<int> chosen;  // table entries in turn; kLoadTableEntry loads the file
    Log restored;
    const char* category;
  };
  const Log loaded = {"ShowLoadedTable 号段.txt " + PathInMessage(files.prefixes)};
  const Case cases[] = {
      {"today's", {MainDialogLogic::kCurrentTable}, {"ChooseTableEntry 1"}, "移动"},
      {"today's then the original", {MainDialogLogic::kCurrentTable, MainDialogLogic::kOriginalTable}, {}, "移动"},
      {"a file", {MainDialogLogic::kLoadTableEntry}, loaded, "联通"},
      {"a file then today's",
       {MainDialogLogic::kLoadTableEntry, MainDialogLogic::kCurrentTable},
       {"ChooseTableEntry 1"},
       "移动"},
      {"a file, the original, the file again",
       {MainDialogLogic::kLoadTableEntry, MainDialogLogic::kOriginalTable, MainDialogLogic::kLoadedTable},
       loaded,
       "联通"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::MemorySettings store;
    {
      Start first(store);
      for (int entry : c.chosen) {
        if (entry == MainDialogLogic::kLoadTableEntry) first.view.paths.emplace_back(files.prefixes);
        first.logic.RunCommand([&] { first.logic.OnTableChosen(entry); });
      }
    }
    Start second(store);
    EXPECT_EQ(second.view.log, c.restored);
    second.Import(files.numbers);
    EXPECT_EQ(second.CategoryOfTheNumber(), c.category);
  }
}

// A remembered table file that is gone, or no longer a table, gives way to the built-in table without
// a message box; the status line says which file and why. A table file refused when chosen is not
// remembered at all.
TEST(RememberedChoicesTest, AVanishedOrBrokenTableFileFallsBackToTheBuiltInOne) {
  struct Case {
    const char* name;
    void (*spoil)(const std::filesystem::path& file);
    const char* reason;
  };
  const Case cases[] = {
      {"removed", [](const std::filesystem::path& file) { std::filesystem::remove(file); }, "文件或文件夹不存在"},
      {"no longer a table", [](const std::filesystem::path& file) { test::WriteFile(file, "139 不是类别\n"); },
       "第1行"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Files files;
    test::MemorySettings store;
    {
      Start first(store);
      first.view.paths.emplace_back(files.prefixes);
      first.logic.RunCommand([&] { first.logic.OnTableChosen(MainDialogLogic::kLoadTableEntry); });
      first.view.paths.emplace_back(files.areas);
      first.logic.RunCommand([&] { first.logic.OnAreaTableChosen(MainDialogLogic::kLoadTableEntry); });
    }
    c.spoil(files.prefixes);
    c.spoil(files.areas);
    Start second(store);
    EXPECT_EQ(second.view.log, Log{});  // no entry of a loaded table, no message
    const std::string& status = second.view.statusLine;
    EXPECT_NE(status.find(PathInMessage(files.prefixes)), std::string::npos) << status;
    EXPECT_NE(status.find("，已改用原始号段（2009）；"), std::string::npos) << status;
    EXPECT_NE(status.find(PathInMessage(files.areas)), std::string::npos) << status;
    EXPECT_NE(status.find(c.reason), std::string::npos) << status;
    EXPECT_TRUE(status.ends_with("，已改用内置归属地")) << status;
    second.Import(files.numbers);
    EXPECT_EQ(second.CategoryOfTheNumber(), "移动");
    EXPECT_EQ(second.AreaLabels()[1].find("测试省"), std::string::npos);
  }
  const Files files;
  test::MemorySettings store;
  {
    Start first(store);
    test::WriteFile(files.prefixes, "139 不是类别\n");
    first.view.paths.emplace_back(files.prefixes);
    first.logic.RunCommand([&] { first.logic.OnTableChosen(MainDialogLogic::kLoadTableEntry); });
  }
  Start second(store);
  EXPECT_EQ(second.view.statusLine, "");
}

// Values this program never writes, or of the wrong kind, count as never written; 号码分析's files
// are offered while they are still files, the prompts' folder while it is still a folder.
TEST(RememberedChoicesTest, ReadsBackOnlyWhatStillHolds) {
  const Files files;
  struct Case {
    const char* name;
    void (*store)(test::MemorySettings& store, const Files& files);
    RememberedChoices::PrefixTableKind table;
    bool areaFile;
    ComparisonRequest analysis;
    std::optional<std::filesystem::path> folder;
  };
  const ComparisonRequest none;
  const Case cases[] = {
      {"nothing", [](test::MemorySettings&, const Files&) {}, RememberedChoices::PrefixTableKind::Original, false, none,
       std::nullopt},
      {"words of another program",
       [](test::MemorySettings& store, const Files&) {
         store.SetText("prefixTable", "newest");
         store.SetText("analysisMode", "both");
       },
       RememberedChoices::PrefixTableKind::Original, false, none, std::nullopt},
      {"a table file without its path",
       [](test::MemorySettings& store, const Files&) { store.SetText("prefixTable", "file"); },
       RememberedChoices::PrefixTableKind::Original, false, none, std::nullopt},
      {"numbers where text belongs",
       [](test::MemorySettings& store, const Files&) {
         store.SetNumber("prefixTable", 1);
         store.SetNumber("areaTableFile", 1);
         store.SetNumber("promptFolder", 1);
       },
       RememberedChoices::PrefixTableKind::Original, false, none, std::nullopt},
      {"one analysis file gone, a folder where the other was",
       [](test::MemorySettings& store, const Files& f) {
         store.SetText("analysisFile1", PathInMessage(f.folder / "gone.txt"));
         store.SetText("analysisFile2", PathInMessage(f.folder.path()));
         store.SetText("analysisMode", "different");
         store.SetText("promptFolder", PathInMessage(f.folder / "gone"));
       },
       RememberedChoices::PrefixTableKind::Original,
       false,
       {{}, {}, ComparisonMode::FindDifferent},
       std::nullopt},
      {"all there",
       [](test::MemorySettings& store, const Files& f) {
         store.SetText("prefixTable", "file");
         store.SetText("prefixTableFile", PathInMessage(f.prefixes));
         store.SetText("areaTableFile", PathInMessage(f.areas));
         store.SetText("analysisFile1", PathInMessage(f.numbers));
         store.SetText("analysisFile2", PathInMessage(f.whitelist));
         store.SetText("promptFolder", PathInMessage(f.folder.path()));
       },
       RememberedChoices::PrefixTableKind::File,
       true,
       {files.numbers, files.whitelist, ComparisonMode::FindSame},
       files.folder.path()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::MemorySettings store;
    c.store(store, files);
    const RememberedChoices remembered(store);
    EXPECT_EQ(remembered.PrefixTable().kind, c.table);
    EXPECT_EQ(remembered.AreaTableFile().has_value(), c.areaFile);
    EXPECT_EQ(remembered.Analysis(), c.analysis);
    EXPECT_EQ(remembered.PromptFolder(), c.folder);
  }
}

// The prompts open in the folder of the file last chosen, or in the folder last chosen, whatever the
// name holds (a space, Chinese).
TEST(RememberedChoicesTest, PromptsOpenWhereTheLastOneLeftOff) {
  const Files files;
  std::filesystem::create_directories(files.folder / "子 文件夹");
  struct Case {
    std::filesystem::path chosen;
    bool isFolder;
    std::filesystem::path opens;
  };
  const Case cases[] = {{files.numbers, false, files.folder.path()},
                        {files.folder / "子 文件夹", true, files.folder / "子 文件夹"},
                        {files.folder / "子 文件夹" / "new.txt", false, files.folder / "子 文件夹"}};
  test::MemorySettings store;
  for (const Case& c : cases) {
    RememberedChoices(store).SetPromptFolder(c.chosen, c.isFolder);
    EXPECT_EQ(RememberedChoices(store).PromptFolder(), c.opens) << PathInMessage(c.chosen);
  }
}

// The window opens where it was closed while a screen shows enough of its top edge to grab it, at
// least its minimum size and no larger than that screen; otherwise where the toolkit puts it.
TEST(WindowPlacementTest, RestoredOnlyWhereAScreenShowsIt) {
  const std::vector<PixelRect> screens = {{0, 0, 1920, 1040}, {-1280, 0, 1280, 1000}};
  constexpr int kMinWidth = 881;
  constexpr int kMinHeight = 575;
  struct Case {
    const char* name;
    PixelRect closed;
    std::optional<PixelRect> opened;
  };
  const Case cases[] = {
      {"as it was", {100, 50, 1000, 700}, PixelRect{100, 50, 1000, 700}},
      {"on the screen to the left", {-1200, 10, 900, 600}, PixelRect{-1200, 10, 900, 600}},
      {"smaller than its minimum", {100, 50, 500, 300}, PixelRect{100, 50, kMinWidth, kMinHeight}},
      {"larger than the screen now", {0, 0, 2500, 1400}, PixelRect{0, 0, 1920, 1040}},
      {"top edge 100 pixels in at the right", {1820, 10, 1000, 700}, PixelRect{1820, 10, 1000, 700}},
      {"top edge 99 pixels in at the right", {1821, 10, 1000, 700}, std::nullopt},
      {"top edge 100 pixels in at the far left", {-2180, 10, 1000, 700}, PixelRect{-2180, 10, 1000, 700}},
      {"top edge 99 pixels in at the far left", {-2181, 10, 1000, 700}, std::nullopt},
      {"30 pixels above the bottom", {100, 1010, 1000, 700}, PixelRect{100, 1010, 1000, 700}},
      {"29 pixels above the bottom", {100, 1011, 1000, 700}, std::nullopt},
      {"its top edge above the screens", {100, -1, 1000, 700}, std::nullopt},
      {"below the left screen, beside the right one", {-1200, 1001, 900, 600}, std::nullopt},
      {"no size", {100, 50, 0, 700}, std::nullopt},
      {"far away", {5'000'000, 50, 1000, 700}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const bool maximized : {false, true}) {
      test::MemorySettings store;
      RememberPlacement(store, {c.closed, maximized});
      const RestoredPlacement restored = PlacementToRestore(store, kMinWidth, kMinHeight, screens);
      EXPECT_EQ(restored.normal, c.opened);
      EXPECT_EQ(restored.maximized, maximized);
    }
  }
}

TEST(WindowPlacementTest, NothingRememberedOrHalfOfItOpensWhereTheToolkitPutsIt) {
  const std::vector<PixelRect> screens = {{0, 0, 1920, 1040}};
  test::MemorySettings store;
  RestoredPlacement restored = PlacementToRestore(store, 881, 575, screens);
  EXPECT_FALSE(restored.normal);
  EXPECT_FALSE(restored.maximized);
  RememberPlacement(store, {{100, 50, 1000, 700}, false});
  store.SetText("windowHeight", "700");
  restored = PlacementToRestore(store, 881, 575, screens);
  EXPECT_FALSE(restored.normal);
}

}  // namespace
}  // namespace zelvane
