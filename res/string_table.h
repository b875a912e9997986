#pragma once

#include <string_view>

#include "res/resource_ids.h"

namespace zelvane::res {

struct StringResource {
  int id = 0;
  std::string_view text;  // UTF-8
};

inline constexpr StringResource kStringTable[] = {
    {IDS_ABOUT_MENU_ITEM, "关于 Zelvane(&A)..."},
    {IDS_SOCKET_STARTUP_FAILED, "Windows 通信端口初始化失败。"},
    {IDS_SEPARATOR_NOT_GBK, "分割符中有无法用 GBK 编码表示的字符"},
};

// The string with this id; empty when there is none.
constexpr std::string_view LoadUtf8String(int id) {
  for (const StringResource& entry : kStringTable) {
    if (entry.id == id) return entry.text;
  }
  return {};
}

}  // namespace zelvane::res
