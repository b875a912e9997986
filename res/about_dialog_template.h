#pragma once

#include "res/dialog_template.h"
#include "res/resource_ids.h"

namespace zelvane::res {

inline constexpr ControlTemplate kAboutDialogControls[] = {
    {IDC_STATIC, ControlKind::Icon, "", {11, 17, 20, 20}, IDR_MAINFRAME},
    {IDC_STATIC, ControlKind::Text, "Zelvane 1.0 版", {40, 10, 119, 8}},
    {IDOK, ControlKind::DefaultPushButton, "确定", {178, 7, 50, 14}},
};

inline constexpr DialogTemplate kAboutDialog = {
    .id = IDD_ABOUTBOX,
    .caption = "关于 Zelvane",
    .cx = 235,
    .cy = 55,
    .controls = kAboutDialogControls,
};

}  // namespace zelvane::res
