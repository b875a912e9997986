#pragma once

#include <windows.h>

namespace zelvane {
class ReportDialogLogic;
}

namespace zelvane::win32 {

// 号码统计's window over owner, drawing what logic decides, until the user closes it.
void ShowReport(HWND owner, ReportDialogLogic& logic);

}  // namespace zelvane::win32
