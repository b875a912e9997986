#pragma once

#include "res/dialog_template.h"
#include "res/resource_ids.h"

namespace zelvane::res {

// The dialogs that offer a list to choose one entry from: a line of text above it (the window sets it
// where the template leaves it empty), a line under it about the entry chosen, 确定 (Enter) and 取消 (Esc).
inline constexpr ControlTemplate kColumnDialogControls[] = {
    {IDC_CHOICE_PROMPT, ControlKind::Text, "", {10, 8, 220, 18}},
    {IDC_CHOICE_LIST, ControlKind::ListBox, "", {10, 28, 220, 88}},
    {IDC_CHOICE_NOTE, ControlKind::Text, "", {10, 120, 220, 18}},
    {IDOK, ControlKind::DefaultPushButton, "确定", {126, 142, 50, 14}},
    {IDCANCEL, ControlKind::PushButton, "取消", {180, 142, 50, 14}},
};

inline constexpr DialogTemplate kColumnDialog = {
    .id = IDD_COLUMN,
    .caption = "选择号码所在的列",
    .cx = 240,
    .cy = 164,
    .controls = kColumnDialogControls,
};

inline constexpr ControlTemplate kExportKindDialogControls[] = {
    {IDC_CHOICE_PROMPT, ControlKind::Text, "导出的文件格式：", {10, 8, 160, 10}},
    {IDC_CHOICE_LIST, ControlKind::ListBox, "", {10, 20, 160, 56}},
    {IDC_CHOICE_NOTE, ControlKind::Text, "", {10, 80, 160, 26}},
    {IDOK, ControlKind::DefaultPushButton, "确定", {66, 110, 50, 14}},
    {IDCANCEL, ControlKind::PushButton, "取消", {120, 110, 50, 14}},
};

inline constexpr DialogTemplate kExportKindDialog = {
    .id = IDD_EXPORT_KIND,
    .caption = "导出格式",
    .cx = 180,
    .cy = 132,
    .controls = kExportKindDialogControls,
};

}  // namespace zelvane::res
