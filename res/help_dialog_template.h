#pragma once

#include "res/dialog_template.h"
#include "res/resource_ids.h"

namespace zelvane::res {

inline constexpr ControlTemplate kHelpDialogControls[] = {
    {IDOK, ControlKind::DefaultPushButton, "确定", {125, 263, 50, 14}},
    {IDC_STATIC, ControlKind::Text, "功能：号码分类", {32, 21, 108, 8}},
    {IDC_STATIC, ControlKind::Text, "1，点击“导入”选择打开未分类的号码文件", {50, 35, 213, 8}},
    {IDC_STATIC, ControlKind::Text, "2，选择需要导出的号码类型，然后点击“导出”导出", {50, 52, 199, 8}},
    {IDC_STATIC, ControlKind::Text, "号码，也可以选择“一键导出”快速分类导出号码", {61, 69, 186, 8}},
    {IDC_STATIC, ControlKind::Text, "功能：分析白名单号码", {32, 98, 111, 8}},
    {IDC_STATIC, ControlKind::Text, "1，点击“号码分析”，选择两个号码文件", {50, 115, 175, 8}},
    {IDC_STATIC, ControlKind::Text, "2，点击“找相同”和“找不同”找出需要的号码", {50, 132, 186, 8}},
    // What came after the first version.
    {IDC_STATIC, ControlKind::Text, "其他功能", {32, 161, 111, 8}},
    {IDC_STATIC, ControlKind::Text, "1，右上角可选号段表和归属地表，“地区”只显示一地的号码", {50, 178, 236, 8}},
    {IDC_STATIC, ControlKind::Text, "2，“按地区导出”按省份或城市把全部号码分别导出", {50, 195, 236, 8}},
    {IDC_STATIC, ControlKind::Text, "3，在列表中点右键可复制、全选、清空、去除重复号码", {50, 212, 236, 8}},
    {IDC_STATIC, ControlKind::Text, "4，费时的操作显示进度，点击“取消”中止，什么都不变", {50, 229, 236, 8}},
    {IDC_STATIC, ControlKind::Text, "5，可把号码文件拖入窗口导入，导入时也可一次选多个文件", {50, 246, 236, 8}},
};

inline constexpr DialogTemplate kHelpDialog = {
    .id = IDD_HELP,
    .caption = "使用说明",
    .cx = 300,
    .cy = 293,
    .controls = kHelpDialogControls,
};

}  // namespace zelvane::res
