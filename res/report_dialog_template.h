#pragma once

#include "res/dialog_template.h"
#include "res/resource_ids.h"

namespace zelvane::res {

// 号码统计: an empty resizable frame that the window fills with its table, chart and buttons, laid out
// as ui/logic says.
inline constexpr DialogTemplate kReportDialog = {
    .id = IDD_REPORT,
    .caption = "号码统计",
    .cx = 640,
    .cy = 373,
    .minimizeMaximizeBoxes = true,
    .controls = {},
};

}  // namespace zelvane::res
