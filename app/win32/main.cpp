// zelvane.exe: the desktop program for Windows.

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <filesystem>
#include <vector>

#include "ui/win32/main_window.h"
#include "ui/win32/registry_settings_store.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS |
                                                                        ICC_STANDARD_CLASSES | ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  // The files to import at start, as the shell's "open with" gives them.
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::filesystem::path> files;
  for (int i = 1; arguments != nullptr && i < count; ++i) files.emplace_back(arguments[i]);
  LocalFree(arguments);
  zelvane::win32::RegistrySettingsStore settings(HKEY_CURRENT_USER, zelvane::win32::kSettingsKey);
  return zelvane::win32::RunMainWindow(instance, files, settings);
}
