#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "res/dialog_template.h"
#include "ui/logic/main_window_view.h"

namespace zelvane::win32 {

// Runs a dialog of the shared templates modally over owner; its result (IDOK, IDCANCEL).
INT_PTR RunTemplateDialog(HWND owner, const res::DialogTemplate& dialog, DLGPROC procedure, LPARAM parameter);

// A message box captioned "提示" with OK only.
void ShowMessage(HWND owner, std::string_view text);
// A question captioned "提示" with 是 and 否 (否 the default); true for 是.
bool AskYesNo(HWND owner, std::string_view question);

// "分割符": the text typed (empty: CR LF), or nothing when Esc or the close box closed it.
std::optional<std::string> AskSeparator(HWND owner);
// "号码分析": the files and the mode, or nothing when cancelled.
std::optional<ComparisonRequest> AskComparison(HWND owner);
// "关于" and "使用说明", closed with 确定.
void ShowAbout(HWND owner);
void ShowHelp(HWND owner);

}  // namespace zelvane::win32
