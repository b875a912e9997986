#include "ui/logic/main_window_layout.h"

#include <algorithm>

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

std::uint64_t ChartScale(const CategoryCounts& counts) {
  return std::max<std::uint64_t>(1, *std::max_element(counts.begin(), counts.end()));
}

std::array<ChartRow, kCategoryCount> ChartRows(const PixelRect& area, int labelWidth, int countWidth,
                                               const CategoryCounts& counts) {
  const int rowHeight = area.height / static_cast<int>(kCategoryCount);
  const int barLeft = area.left + labelWidth + kLabelGap;
  const int barSpace = std::max(0, area.left + area.width - barLeft - countWidth - kLabelGap);
  const auto largest = static_cast<double>(ChartScale(counts));
  std::array<ChartRow, kCategoryCount> rows{};
  for (std::size_t c = 0; c < kCategoryCount; ++c) {
    const int top = area.top + static_cast<int>(c) * rowHeight;
    const int bar = static_cast<int>(static_cast<double>(barSpace) * static_cast<double>(counts[c]) / largest);
    rows[c] = {
        {area.left, top, labelWidth, rowHeight},
        {barLeft, top + 2, bar, std::max(1, rowHeight - 4)},
        {barLeft + bar + kCountGap, top, std::max(0, area.left + area.width - (barLeft + bar + kCountGap)), rowHeight}};
  }
  return rows;
}

}  // namespace zelvane
