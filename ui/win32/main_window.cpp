#include "ui/win32/main_window.h"

#include "res/main_dialog_template.h"
#include "ui/win32/dialog_template_win32.h"

namespace zelvane::win32 {

namespace {

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) EndDialog(window, 0);
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

int RunMainWindow(HINSTANCE instance, const std::vector<std::filesystem::path>&) {
  const std::vector<WORD> dialog = BuildDialogTemplate(res::kMainDialog);
  return static_cast<int>(DialogBoxIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(dialog.data()),
                                                  nullptr, MainDialogProc, 0));
}

}  // namespace zelvane::win32
