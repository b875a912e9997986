#pragma once

#include "res/dialog_template.h"
#include "res/resource_ids.h"

namespace zelvane::res {

inline constexpr ControlTemplate kHelpDialogControls[] = {
    {IDOK, ControlKind::DefaultPushButton, "确定", {110, 161, 50, 14}},
    {IDC_STATIC, ControlKind::Text, "功能：号码分类", {32, 21, 108, 8}},
    {IDC_STATIC, ControlKind::Text, "1，点击“导入”选择打开未分类的号码文件", {50, 35, 213, 8}},
    {IDC_STATIC, ControlKind::Text, "2，选择需要导出的号码类型，然后点击“导出”导出", {50, 52, 199, 8}},
    {IDC_STATIC, ControlKind::Text, "号码，也可以选择“一键导出”快速分类导出号码", {61, 69, 186, 8}},
    {IDC_STATIC, ControlKind::Text, "功能：分析白名单号码", {32, 98, 111, 8}},
    {IDC_STATIC, ControlKind::Text, "1，点击“号码分析”，选择两个号码文件", {50, 115, 175, 8}},
    {IDC_STATIC, ControlKind::Text, "2，点击“找相同”和“找不同”找出需要的号码", {50, 132, 186, 8}},
};

inline constexpr DialogTemplate kHelpDialog = {
    .id = IDD_HELP,
    .caption = "使用说明",
    .cx = 270,
    .cy = 191,
    .controls = kHelpDialogControls,
};

}  // namespace zelvane::res
