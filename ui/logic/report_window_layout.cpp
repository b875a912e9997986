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
  const std::size_t fit = static_cast<std::size_t>(std::max(0, area.height / kBarRowHeight));
  std::vector<double> shares;
  for (std::size_t i = 0; i < std::min(bars.size(), fit); ++i) shares.push_back(bars[i].share);
  return BarChartRows(area, kBarRowHeight, std::min(labelWidth, area.width / 3), countWidth, shares);
}

}  // namespace zelvane
