#pragma once

#include "res/dialog_template.h"
#include "res/resource_ids.h"

namespace zelvane::res {

// No default button and no OK or Cancel button: only 找相同 and 找不同 close it with OK.
inline constexpr ControlTemplate kAnalysisDialogControls[] = {
    {IDC_FILE1_EDIT, ControlKind::ReadOnlyEdit, "", {70, 34, 117, 13}},
    {IDC_PICK_FILE1, ControlKind::PushButton, "选择", {195, 32, 43, 15}},
    {IDC_FILE2_EDIT, ControlKind::ReadOnlyEdit, "", {70, 62, 117, 13}},
    {IDC_PICK_FILE2, ControlKind::PushButton, "选择", {195, 60, 43, 15}},
    {IDC_STATIC, ControlKind::Text, "号码文件1：", {20, 36, 44, 8}},
    {IDC_STATIC, ControlKind::Text, "号码文件2：", {20, 64, 44, 8}},
    {IDC_FIND_SAME, ControlKind::PushButton, "找相同", {67, 133, 53, 16}},
    {IDC_FIND_DIFFERENT, ControlKind::PushButton, "找不同", {139, 133, 53, 16}},
    {IDC_STATIC, ControlKind::Text, "查找两个号码文件中相同的号码或不同的号码", {66, 89, 166, 8}},
    {IDC_STATIC, ControlKind::Text, "列出的是两个文件中较大的那个文件里的号码", {66, 106, 166, 8}},
};

inline constexpr DialogTemplate kAnalysisDialog = {
    .id = IDD_ANALYSIS,
    .caption = "号码分析",
    .cx = 259,
    .cy = 169,
    .controls = kAnalysisDialogControls,
};

}  // namespace zelvane::res
