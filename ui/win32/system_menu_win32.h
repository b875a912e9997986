#pragma once

#include <windows.h>

namespace zelvane::win32 {

// Ends a window's system menu with a separator and the About entry (IDM_ABOUTBOX), as the string table
// names it.
void AppendAboutEntry(HMENU systemMenu);

}  // namespace zelvane::win32
