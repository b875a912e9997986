#pragma once

#include "res/dialog_template.h"
#include "res/resource_ids.h"

namespace zelvane::res {

inline constexpr ControlTemplate kSeparatorDialogControls[] = {
    {IDOK, ControlKind::DefaultPushButton, "确定", {87, 108, 50, 14}},
    {IDC_STATIC, ControlKind::Text, "自定义分割符：", {19, 42, 58, 8}},
    {IDC_SEPARATOR_EDIT, ControlKind::Edit, "", {81, 39, 86, 13}},
    {IDC_STATIC, ControlKind::Text, "不输入则默认回车换行分割", {81, 65, 127, 8}},
    // Empty, so unseen, unless the export's kind has a note (the window sets it).
    {IDC_SEPARATOR_NOTE, ControlKind::Text, "", {19, 79, 190, 24}},
};

inline constexpr DialogTemplate kSeparatorDialog = {
    .id = IDD_SEPARATOR,
    .caption = "分割符",
    .cx = 223,
    .cy = 129,
    .controls = kSeparatorDialogControls,
};

}  // namespace zelvane::res
