#pragma once

#include <windows.h>

#include <filesystem>
#include <vector>

#include "ui/logic/settings_store.h"

namespace zelvane::win32 {

// Shows the main window until the user closes it, importing files first, with the choices kept in
// settings; the program's exit code.
int RunMainWindow(HINSTANCE instance, const std::vector<std::filesystem::path>& files, SettingsStore& settings);

}  // namespace zelvane::win32
