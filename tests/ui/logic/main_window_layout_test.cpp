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
// others in proportion, an empty category none.
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
  };
  for (const Case& c : cases) {
    const auto rows = ChartRows(c.area, 30, 28, c.counts);
    for (std::size_t i = 0; i < kCategoryCount; ++i) {
      SCOPED_TRACE(std::to_string(c.area.width) + " row " + std::to_string(i));
      EXPECT_EQ(rows[i].bar.width, c.bars[i]);
      EXPECT_EQ(rows[i].label.top, c.area.top + static_cast<int>(i) * (c.area.height / 5));
      EXPECT_EQ(rows[i].bar.left, c.area.left + 34);
      EXPECT_GE(rows[i].bar.height, 1);
    }
  }
}

// The counts stay inside the chart, each as wide as the widest count's text, at every width from room
// for everything down to less than a count: below room for names, bars and counts the bars go, then
// the names' column narrows, and only a chart narrower than a count cuts it.
TEST(MainWindowLayoutTest, ChartCountsStayInsideTheChart) {
  struct Case {
    int width;
    int label;    // the names' column
    int largest;  // the largest count's bar
  };
  constexpr int kLabel = 30;
  constexpr int kCount = 56;  // eight digits
  const Case cases[] = {
      {200, kLabel, 106},
      {kLabel + 8 + kCount + 1, kLabel, 1},
      {kLabel + 8 + kCount, kLabel, 0},
      {kLabel + 7 + kCount, 29, 0},
      {8 + kCount, 0, 0},
      {7 + kCount, 0, 0},
      {40, 0, 0},
      {0, 0, 0},
  };
  const CategoryCounts counts = {10'000'000, 9'999'999, 0, 1, 5'000'000};
  for (const Case& c : cases) {
    SCOPED_TRACE("width " + std::to_string(c.width));
    const PixelRect area{5, 7, c.width, 60};
    const auto rows = ChartRows(area, kLabel, kCount, counts);
    EXPECT_EQ(rows[0].bar.width, c.largest);
    for (const ChartRow& row : rows) {
      EXPECT_EQ(row.label.left, area.left);
      EXPECT_EQ(row.label.width, c.label);
      EXPECT_EQ(row.bar.left, area.left + c.label + 4);
      EXPECT_EQ(row.count.left + row.count.width, area.left + area.width);
      EXPECT_GE(row.count.width, std::min(kCount, std::max(0, c.width - c.label - 7)));
    }
  }
}

}  // namespace
}  // namespace zelvane
