#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "res/dialog_template.h"
#include "ui/logic/main_window_view.h"

namespace zelvane::win32 {

// Runs a dialog of the shared templates modally over owner; its result (IDOK, IDCANCEL).
INT_PTR RunTemplateDialog(HWND owner, const res::DialogTemplate& dialog, DLGPROC procedure, LPARAM parameter);

// A message box captioned "提示" with OK only.
void ShowMessage(HWND owner, std::string_view text);
// A question captioned "提示" with 是 and 否 (否 the default); true for 是.
bool AskYesNo(HWND owner, std::string_view question);

// "分割符", opening with offered selected in its field: the text typed (empty: CR LF), or nothing when
// Esc or the close box closed it. note shows under the field (empty: nothing).
std::optional<std::string> AskSeparator(HWND owner, std::string_view offered, std::string_view note);
// A dialog of the list templates ("选择号码所在的列", "导出格式"): prompt above the list (the template's
// when empty), the entries with chosen selected and focused, the chosen entry's note under it. The entry
// chosen when 确定, Enter or a double click closed it; nothing for 取消, Esc or the close box.
std::optional<std::size_t> AskListChoice(HWND owner, const res::DialogTemplate& dialog, std::string_view prompt,
                                         const std::vector<ListEntry>& entries, std::size_t chosen);
// "号码分析" over choice, opening with its files and the focus on its mode's button: the files and the
// mode, or nothing when cancelled. Its file prompts keep their folder in settings.
std::optional<ComparisonRequest> AskComparison(HWND owner, AnalysisChoice& choice, SettingsStore& settings);
// "关于" and "使用说明", closed with 确定.
void ShowAbout(HWND owner);
void ShowHelp(HWND owner);

}  // namespace zelvane::win32
