#include "ui/win32/wide_text.h"

#include <windows.h>

namespace zelvane::win32 {

namespace {

std::wstring Decoded(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int units = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), units);
  return wide;
}

}  // namespace

std::wstring Wide(std::string_view utf8) { return Decoded(CP_UTF8, utf8); }

std::wstring FromGbk(std::string_view gbk) { return Decoded(936, gbk); }

std::string Utf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), bytes, nullptr, nullptr);
  return utf8;
}

}  // namespace zelvane::win32
