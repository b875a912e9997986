// The window program's system menu: what it adds after the system's own entries.

#include "ui/win32/system_menu_win32.h"

#include <gtest/gtest.h>

#include "core/platform/wide_text.h"
#include "res/resource_ids.h"

namespace zelvane::win32 {
namespace {

// After the system's entries (here one stands for them) come a separator and "关于 Zelvane(&A)...",
// the program's own name, with the id that opens About.
TEST(SystemMenuTest, EndsWithTheAboutEntryNamingZelvane) {
  HMENU menu = CreatePopupMenu();
  ASSERT_NE(menu, nullptr);
  AppendMenuW(menu, MF_STRING, SC_CLOSE, L"关闭(&C)");
  AppendAboutEntry(menu);
  ASSERT_EQ(GetMenuItemCount(menu), 3);
  EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(SC_CLOSE));
  EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ(GetMenuItemID(menu, 2), static_cast<UINT>(res::IDM_ABOUTBOX));
  wchar_t text[256] = L"";
  GetMenuStringW(menu, 2, text, 256, MF_BYPOSITION);
  EXPECT_EQ(Utf8(text), "关于 Zelvane(&A)...");
  DestroyMenu(menu);
}

}  // namespace
}  // namespace zelvane::win32
