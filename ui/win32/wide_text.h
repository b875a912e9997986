#pragma once

#include <string>
#include <string_view>

// Wide(utf8) and Utf8(wide), the window's text as Windows takes it and back, come from the platform layer.
#include "core/platform/wide_text.h"

namespace zelvane::win32 {

// A number's GBK bytes as Windows shows them.
inline std::wstring FromGbk(std::string_view gbk) { return WideFromCodePage(gbk, kGbkCodePage); }

}  // namespace zelvane::win32
