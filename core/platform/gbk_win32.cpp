#include <windows.h>

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

std::vector<char16_t> GbkPairCharacters() {
  std::vector<char16_t> characters(kGbkLeadBytes * kGbkTrailBytes, 0);
  for (unsigned lead = 0; lead < kGbkLeadBytes; ++lead) {
    for (unsigned trail = 0; trail < kGbkTrailBytes; ++trail) {
      const char pair[2] = {static_cast<char>(0x81 + lead), static_cast<char>(0x40 + trail)};
      wchar_t unit[2];
      if (MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, pair, 2, unit, 2) == 1) {
        characters[lead * kGbkTrailBytes + trail] = static_cast<char16_t>(unit[0]);
      }
    }
  }
  return characters;
}

std::optional<std::string> EncodeGbk(std::string_view text, const char*) {
  const std::optional<std::wstring> wide = WideFromValidUtf8(text);
  if (!wide) return std::nullopt;
  bool lacking = false;
  std::string gbk = InCodePage(*wide, kGbkCodePage, &lacking);
  if (lacking) return std::nullopt;
  return gbk;
}

}  // namespace zelvane
