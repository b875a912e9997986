#pragma once

#include <string>
#include <vector>

#include "ui/logic/main_window_layout.h"
#include "ui/logic/report_dialog_logic.h"

namespace zelvane {

// Where 号码统计's window puts its parts, whatever draws it, in pixels of its client area: the summary
// line on top, the table on the left, the chart of the largest areas on the right, 导出 and 关闭 at the
// bottom right.
struct ReportWindowLayout {
  PixelRect summary;
  PixelRect table;
  PixelRect chart;
  PixelRect exportButton;
  PixelRect closeButton;
};
inline constexpr int kReportWindowWidth = 960;  // at first
inline constexpr int kReportWindowHeight = 560;
inline constexpr int kReportWindowMinWidth = 640;
inline constexpr int kReportWindowMinHeight = 360;
inline constexpr int kReportColumnWidths[ReportDialogLogic::kColumnCount] = {130, 45, 70, 70, 70, 70, 70, 80, 60};
inline constexpr std::string_view kReportExportButton = "导出(&E)...";
inline constexpr std::string_view kReportCloseButton = "关闭";

ReportWindowLayout LayOutReportWindow(int width, int height);

// The chart's rows, as BarChartRows lays them out: the bars that fit from the top, the names in at most
// a third of the width.
std::vector<ChartRow> ReportChartRows(const PixelRect& area, int labelWidth, int countWidth,
                                      const std::vector<ReportDialogLogic::ChartBar>& bars);

}  // namespace zelvane
