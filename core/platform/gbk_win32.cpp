#include "core/platform/gbk.h"
#include "core/platform/wide_text.h"
#include "core/text_encoding.h"

namespace zelvane {

namespace {

std::wstring_view AsWide(std::u16string_view text) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

}  // namespace

bool AppendGbk(std::u16string_view text, std::string& output) {
  output += InCodePage(AsWide(text), kGbkCodePage);
  return true;
}

std::string Utf8FromGbk(std::string_view gbk) { return Utf8(WideFromCodePage(gbk, kGbkCodePage)); }

std::optional<std::string> EncodeGbk(std::string_view text, const char*) {
  const std::optional<std::wstring> wide = WideFromValidUtf8(text);
  if (!wide) return std::nullopt;
  bool lacking = false;
  std::string gbk = InCodePage(*wide, kGbkCodePage, &lacking);
  if (lacking) return std::nullopt;
  return gbk;
}

}  // namespace zelvane
