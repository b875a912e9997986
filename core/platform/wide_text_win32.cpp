#include <windows.h>

#include "core/platform/wide_text.h"

namespace zelvane {

namespace {

// MultiByteToWideChar's result, or nothing when flags ask for valid input and it is not.
std::optional<std::wstring> Decoded(std::string_view bytes, UINT codePage, DWORD flags) {
  if (bytes.empty()) return std::wstring();
  const int size = static_cast<int>(bytes.size());
  const int units = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
  if (units == 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(codePage, flags, bytes.data(), size, wide.data(), units);
  return wide;
}

}  // namespace

std::wstring WideFromCodePage(std::string_view bytes, unsigned codePage) {
  return Decoded(bytes, codePage, 0).value_or(std::wstring());
}

std::optional<std::wstring> WideFromValidUtf8(std::string_view utf8) {
  return Decoded(utf8, CP_UTF8, MB_ERR_INVALID_CHARS);
}

std::string InCodePage(std::wstring_view wide, unsigned codePage, bool* lacking) {
  if (lacking != nullptr) *lacking = false;
  if (wide.empty()) return {};
  // UTF-8 takes neither flags nor a default character; other pages get "?" and no best fit.
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* fallback = utf8 ? nullptr : "?";
  BOOL usedFallback = FALSE;
  BOOL* used = utf8 ? nullptr : &usedFallback;
  const int units = static_cast<int>(wide.size());
  const int bytes = WideCharToMultiByte(codePage, flags, wide.data(), units, nullptr, 0, fallback, used);
  std::string text(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), units, text.data(), bytes, fallback, used);
  if (lacking != nullptr) *lacking = usedFallback != FALSE;
  return text;
}

}  // namespace zelvane
