#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "core/category_lists.h"
#include "res/main_dialog_template.h"
#include "res/resource_ids.h"

namespace zelvane {

// What the main window's toolkits draw alike, decided once: where its parts go as it is resized, what
// is disabled while work runs, the list's menu and the chart's bars. In pixels of the window's client area.

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The list fills the window below the template's top row; the status line runs along the bottom as wide
// as the list; the overview pane keeps to the right edge. Never negative sizes, however small the window.
struct MainWindowLayout {
  PixelRect list;
  int statusTop = 0;
  int statusWidth = 0;
  int paneLeft = 0;
};
MainWindowLayout LayOutMainWindow(int width, int height, int paneWidth);

// The smallest the window's client area may be made, in dialog units: its template's size. Smaller, the
// overview pane would slide over the buttons and boxes.
inline constexpr res::DialogRect kMainWindowMinimum{0, 0, res::kMainDialog.cx, res::kMainDialog.cy};

// The template's controls that start work, disabled while it runs, together with the overview pane's
// three choices, the list menu's entries that start work and dropping files.
inline constexpr int kWorkCommandControls[] = {res::IDC_IMPORT,       res::IDC_EXPORT,       res::IDC_ONE_CLICK_EXPORT,
                                               res::IDC_ANALYSIS,     res::IDC_AREA_EXPORT,  res::IDC_CHECK_ALL,
                                               res::IDC_CHECK_MOBILE, res::IDC_CHECK_UNICOM, res::IDC_CHECK_TELECOM,
                                               res::IDC_CHECK_PHS,    res::IDC_CHECK_OTHER};

// The list's own menu, in order; Copy and SelectAll have the list's keys as shortcuts.
enum class ListCommand { Copy, SelectAll, Clear, RemoveRepeats, Report };
struct ListMenuEntry {
  ListCommand command;
  std::string_view text;
  bool startsWork;  // disabled while work runs
};
inline constexpr ListMenuEntry kListMenu[] = {{ListCommand::Copy, "复制(&C)", false},
                                              {ListCommand::SelectAll, "全选(&A)", false},
                                              {ListCommand::Clear, "清空(&L)", true},
                                              {ListCommand::RemoveRepeats, "去除重复号码(&D)", true},
                                              {ListCommand::Report, "号码统计(&R)...", true}};

// What each of the overview pane's three choices chooses, shown as its tooltip.
inline constexpr std::string_view kTableChoiceTip = "号段表：按哪个号段表判断号码的运营商";
inline constexpr std::string_view kAreaTableChoiceTip = "归属地表：按哪个表查找号码的归属地";
inline constexpr std::string_view kAreaChoiceTip = "地区：列表只显示这个地区的号码（与上方的类别一同筛选）";

// A bar chart's row: its name right-aligned in label, its bar, its count after the bar.
struct ChartRow {
  PixelRect label;
  PixelRect bar;
  PixelRect count;
};
// A row per share (of the largest bar: 0 to 1), rowHeight each from the top: the bar as long as its
// share of the room the names and counts leave, the count never past the chart's right edge; a chart
// too narrow for all three narrows the names' column first. labelWidth and countWidth are the widest
// name's and the widest count's as the window's font draws them (digits need not be equally wide: the
// largest count is not always the widest).
std::vector<ChartRow> BarChartRows(const PixelRect& area, int rowHeight, int labelWidth, int countWidth,
                                   std::span<const double> shares);

// The main window's chart: a row per category, the area's height shared among them, each bar its
// count's share of the largest.
std::vector<ChartRow> ChartRows(const PixelRect& area, int labelWidth, int countWidth, const CategoryCounts& counts);

}  // namespace zelvane
