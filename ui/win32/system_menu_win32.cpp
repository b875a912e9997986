#include "ui/win32/system_menu_win32.h"

#include "res/string_table.h"
#include "ui/win32/wide_text.h"

namespace zelvane::win32 {

void AppendAboutEntry(HMENU systemMenu) {
  const std::string_view about = res::LoadUtf8String(res::IDS_ABOUT_MENU_ITEM);
  if (about.empty()) return;
  AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(systemMenu, MF_STRING, res::IDM_ABOUTBOX, Wide(about).c_str());
}

}  // namespace zelvane::win32
