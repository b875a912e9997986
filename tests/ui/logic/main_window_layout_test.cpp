// What both windows draw alike: the parts of the main window as it is resized, and the chart's bars.

#include "ui/logic/main_window_layout.h"

#include <gtest/gtest.h>

namespace zelvane {
namespace {

// The list and status line take the width between the margins, the pane keeps to the right edge; a
// window smaller than the margins gives empty parts, never negative ones.
TEST(MainWindowLayoutTest, PartsFollowTheWindowsSize) {
  struct Case {
    int width, height;
    PixelRect list;
    int statusTop, statusWidth, paneLeft;
  };
  const Case cases[] = {
      {800, 600, {15, 100, 770, 475}, 580, 770, 485},
      {31, 126, {15, 100, 1, 1}, 106, 1, -284},
      {30, 125, {15, 100, 0, 0}, 105, 0, -285},
      {0, 0, {15, 100, 0, 0}, -20, 0, -315},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    const MainWindowLayout layout = LayOutMainWindow(c.width, c.height, 300);
    EXPECT_EQ(layout.list, c.list);
    EXPECT_EQ(layout.statusTop, c.statusTop);
    EXPECT_EQ(layout.statusWidth, c.statusWidth);
    EXPECT_EQ(layout.paneLeft, c.paneLeft);
  }
}

// A row per category, top to bottom; the largest count's bar fills the space its digits leave, the
// others in proportion, an empty category none; nothing is wider than the chart or negative.
TEST(MainWindowLayoutTest, ChartBarsShareTheLargestCount) {
  struct Case {
    PixelRect area;
    CategoryCounts counts;
    std::array<int, kCategoryCount> bars;
  };
  const Case cases[] = {
      {{10, 20, 200, 100}, {100, 50, 0, 1, 99}, {134, 67, 0, 1, 132}},
      {{0, 0, 200, 100}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}},
      {{0, 0, 200, 100}, {10'000'000'000, 1, 0, 0, 5'000'000'000}, {134, 0, 0, 0, 67}},
      {{0, 0, 30, 3}, {7, 7, 7, 7, 7}, {0, 0, 0, 0, 0}},  // narrower than label and digits
  };
  for (const Case& c : cases) {
    const auto rows = ChartRows(c.area, 30, 28, c.counts);
    for (std::size_t i = 0; i < kCategoryCount; ++i) {
      SCOPED_TRACE(std::to_string(c.area.width) + " row " + std::to_string(i));
      EXPECT_EQ(rows[i].bar.width, c.bars[i]);
      EXPECT_EQ(rows[i].label.top, c.area.top + static_cast<int>(i) * (c.area.height / 5));
      EXPECT_EQ(rows[i].bar.left, c.area.left + 34);
      EXPECT_GE(rows[i].bar.height, 1);
      EXPECT_GE(rows[i].count.width, 0);
      EXPECT_LE(rows[i].count.left + rows[i].count.width, c.area.left + std::max(c.area.width, 37 + c.bars[i]));
    }
  }
}

}  // namespace
}  // namespace zelvane
