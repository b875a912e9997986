#include "ui/logic/report_window_layout.h"

#include <algorithm>

namespace zelvane {

namespace {

constexpr int kMargin = 10;
constexpr int kSummaryHeight = 20;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 26;
constexpr int kChartShare = 4;  // the chart takes a quarter of the width
constexpr int kBarRowHeight = 22;
constexpr int kGap = 4;

}  // namespace

ReportWindowLayout LayOutReportWindow(int width, int height) {
  const int inner = std::max(0, width - 2 * kMargin);
  const int top = kMargin + kSummaryHeight + kMargin;
  const int bodyHeight = std::max(0, height - top - kMargin - kButtonHeight - kMargin);
  const int chartWidth = inner / kChartShare;
  const int tableWidth = std::max(0, inner - chartWidth - kMargin);
  const int buttonTop = height - kMargin - kButtonHeight;
  return {{kMargin, kMargin, inner, kSummaryHeight},
          {kMargin, top, tableWidth, bodyHeight},
          {kMargin + tableWidth + kMargin, top, chartWidth, bodyHeight},
          {width - kMargin - 2 * kButtonWidth - kMargin, buttonTop, kButtonWidth, kButtonHeight},
          {width - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight}};
}

std::vector<ChartRow> ReportChartRows(const PixelRect& area, int labelWidth, int countWidth,
                                      const std::vector<ReportDialogLogic::ChartBar>& bars) {
  const int barLeft = area.left + labelWidth + kGap;
  const int barSpace = std::max(0, area.left + area.width - barLeft - countWidth - kGap);
  std::vector<ChartRow> rows;
  for (std::size_t i = 0; i < bars.size(); ++i) {
    const int top = area.top + static_cast<int>(i) * kBarRowHeight;
    if (top + kBarRowHeight > area.top + area.height) break;
    const int bar = std::max(1, static_cast<int>(static_cast<double>(barSpace) * bars[i].share));
    rows.push_back(
        {{area.left, top, labelWidth, kBarRowHeight},
         {barLeft, top + 3, bar, kBarRowHeight - 6},
         {barLeft + bar + kGap, top, std::max(0, area.left + area.width - (barLeft + bar + kGap)), kBarRowHeight}});
  }
  return rows;
}

}  // namespace zelvane
