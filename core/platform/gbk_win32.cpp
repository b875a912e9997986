#include <windows.h>

#include "core/platform/gbk.h"
#include "core/text_encoding.h"

namespace zelvane {

namespace {

constexpr UINT kGbk = 936;

// The wide text as GBK; each unit GBK lacks becomes "?", and none is replaced by a look-alike.
std::string ToGbk(const wchar_t* text, int units, bool& lacking) {
  BOOL usedDefault = FALSE;
  const int bytes = WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, text, units, nullptr, 0, "?", &usedDefault);
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, text, units, out.data(), bytes, "?", &usedDefault);
  lacking = usedDefault;
  return out;
}

}  // namespace

bool AppendGbk(std::u16string_view text, std::string& output) {
  if (text.empty()) return true;
  bool lacking = false;
  output += ToGbk(reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), lacking);
  return true;
}

std::optional<std::string> EncodeGbk(std::string_view text, const char*) {
  if (text.empty()) return std::string();
  const int units =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (units == 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(), units);
  bool lacking = false;
  std::string gbk = ToGbk(wide.data(), units, lacking);
  if (lacking) return std::nullopt;
  return gbk;
}

}  // namespace zelvane
