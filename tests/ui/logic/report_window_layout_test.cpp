// 号码统计's chart, as both windows draw it.

#include "ui/logic/report_window_layout.h"

#include <gtest/gtest.h>

namespace zelvane {
namespace {

// The bars that fit in whole rows of 22 pixels from the top; the names in at most a third of the
// width, less where the counts need the room; the largest bar fills what names and counts leave, the
// next (half as large) half of it.
TEST(ReportWindowLayoutTest, ChartShowsTheBarsThatFit) {
  struct Case {
    int width, height;
    std::size_t rows;
    int label, largest;
  };
  const Case cases[] = {
      {300, 0, 0, 60, 0},     {300, 21, 0, 60, 0},    {300, 22, 1, 60, 192},   {300, 43, 1, 60, 192},
      {300, 44, 2, 60, 192},  {300, 219, 9, 60, 192}, {300, 220, 10, 60, 192}, {300, 500, 10, 60, 192},
      {150, 220, 10, 50, 52}, {60, 44, 2, 12, 0},
  };
  std::vector<ReportDialogLogic::ChartBar> bars;
  for (int i = 0; i < 10; ++i) bars.push_back({"地区", "1,000", 1.0 / (i + 1)});
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    const std::vector<ChartRow> rows = ReportChartRows({10, 20, c.width, c.height}, 60, 40, bars);
    ASSERT_EQ(rows.size(), c.rows);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(rows[i].label, (PixelRect{10, 20 + 22 * static_cast<int>(i), c.label, 22}));
      if (i < 2) {
        EXPECT_EQ(rows[i].bar.width, c.largest / static_cast<int>(i + 1));
      }
      EXPECT_EQ(rows[i].count.left + rows[i].count.width, 10 + c.width);
    }
  }
}

}  // namespace
}  // namespace zelvane
