#pragma once

#include <windows.h>

#include <filesystem>
#include <vector>

namespace zelvane::win32 {

// Shows the main window until the user closes it, importing files first; the program's exit code.
int RunMainWindow(HINSTANCE instance, const std::vector<std::filesystem::path>& files);

}  // namespace zelvane::win32
