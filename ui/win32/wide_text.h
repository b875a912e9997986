#pragma once

#include <string>
#include <string_view>

namespace zelvane::win32 {

// UTF-8, the program's own text, as Windows takes it, and back.
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);
// A number's GBK bytes as Windows shows them.
std::wstring FromGbk(std::string_view gbk);

}  // namespace zelvane::win32
