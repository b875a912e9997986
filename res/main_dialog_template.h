#pragma once

#include "res/dialog_template.h"
#include "res/resource_ids.h"

namespace zelvane::res {

inline constexpr ControlTemplate kMainDialogControls[] = {
    {IDC_NUMBER_LIST, ControlKind::NumberList, "", {9, 62, 570, 302}},
    {IDC_IMPORT, ControlKind::PushButton, "导入", {9, 15, 42, 19}},
    {IDC_EXPORT, ControlKind::PushButton, "导出", {52, 15, 42, 19}},
    {IDC_CHECK_ALL, ControlKind::CheckBox, "全部", {9, 44, 31, 8}},
    {IDC_CHECK_MOBILE, ControlKind::CheckBox, "移动", {46, 44, 31, 9}},
    {IDC_CHECK_UNICOM, ControlKind::CheckBox, "联通", {81, 44, 31, 9}},
    {IDC_CHECK_TELECOM, ControlKind::CheckBox, "电信", {116, 44, 31, 9}},
    {IDC_CHECK_PHS, ControlKind::CheckBox, "小灵通", {151, 44, 39, 9}},
    {IDC_CHECK_OTHER, ControlKind::CheckBox, "其他", {194, 44, 31, 8}},
    {IDC_ONE_CLICK_EXPORT, ControlKind::PushButton, "一键导出", {95, 15, 42, 19}},
    {IDC_STATUS, ControlKind::Text, "", {9, 370, 340, 9}},
    {IDC_OVERVIEW, ControlKind::OverviewPane, "", {363, 7, 215, 49}},
    {IDC_ANALYSIS, ControlKind::PushButton, "号码分析", {138, 15, 42, 19}},
    {IDC_HELP_BUTTON, ControlKind::PushButton, "使用说明", {181, 15, 42, 19}},
    {IDC_AREA_EXPORT, ControlKind::PushButton, "按地区导出", {224, 15, 50, 19}},
};

inline constexpr DialogTemplate kMainDialog = {
    .id = IDD_MAIN_DIALOG,
    .caption = "Zelvane V1.0",
    .cx = 587,
    .cy = 383,
    .minimizeMaximizeBoxes = true,
    .controls = kMainDialogControls,
};

}  // namespace zelvane::res
