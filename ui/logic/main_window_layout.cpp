#include "ui/logic/main_window_layout.h"

#include <algorithm>
#include <array>

namespace zelvane {

namespace {

// The template's margins: the list begins below the buttons, boxes and pane.
constexpr int kSideMargin = 15;
constexpr int kListTop = 100;
constexpr int kListBottomMargin = 25;
constexpr int kStatusFromBottom = 20;
// Between a chart's label and its bar, and between a bar and its count.
constexpr int kLabelGap = 4;
constexpr int kCountGap = 3;

}  // namespace

MainWindowLayout LayOutMainWindow(int width, int height, int paneWidth) {
  const int inner = std::max(0, width - 2 * kSideMargin);
  return {{kSideMargin, kListTop, inner, std::max(0, height - kListTop - kListBottomMargin)},
          height - kStatusFromBottom,
          inner,
          width - kSideMargin - paneWidth};
}

std::vector<ChartRow> BarChartRows(const PixelRect& area, int rowHeight, int labelWidth, int countWidth,
                                   std::span<const double> shares) {
  // The counts come first: a chart too narrow for names, bars and counts gives up the names' room.
  const int shownLabel = std::clamp(area.width - 2 * kLabelGap - countWidth, 0, labelWidth);
  const int barLeft = area.left + shownLabel + kLabelGap;
  const int right = area.left + area.width;
  const int barSpace = std::max(0, right - barLeft - countWidth - kLabelGap);
  std::vector<ChartRow> rows;
  for (std::size_t i = 0; i < shares.size(); ++i) {
    const int top = area.top + static_cast<int>(i) * rowHeight;
    const int bar = static_cast<int>(static_cast<double>(barSpace) * shares[i]);
    const int countLeft = std::min(barLeft + bar + kCountGap, right);
    rows.push_back({{area.left, top, shownLabel, rowHeight},
                    {barLeft, top + 2, bar, std::max(1, rowHeight - 4)},
                    {countLeft, top, right - countLeft, rowHeight}});
  }
  return rows;
}

std::vector<ChartRow> ChartRows(const PixelRect& area, int labelWidth, int countWidth, const CategoryCounts& counts) {
  const auto largest = static_cast<double>(std::max<std::uint64_t>(1, *std::max_element(counts.begin(), counts.end())));
  std::array<double, kCategoryCount> shares{};
  for (std::size_t c = 0; c < kCategoryCount; ++c) shares[c] = static_cast<double>(counts[c]) / largest;
  return BarChartRows(area, area.height / static_cast<int>(kCategoryCount), labelWidth, countWidth, shares);
}

}  // namespace zelvane
