#include "ops/cell_text.h"

#include <vector>

#include "core/platform/gbk.h"

namespace zelvane {

namespace {

bool IsControl(unsigned char byte) { return (byte < 0x20 && byte != '\t') || byte == 0x7F; }

void AppendUtf8(char16_t unit, std::string& utf8) {
  if (unit < 0x800) {
    utf8 += static_cast<char>(0xC0 | unit >> 6);
  } else {
    utf8 += static_cast<char>(0xE0 | unit >> 12);
    utf8 += static_cast<char>(0x80 | (unit >> 6 & 0x3F));
  }
  utf8 += static_cast<char>(0x80 | (unit & 0x3F));
}

// The character of a lead and a trail byte, 0 when GBK has none.
char16_t PairCharacter(unsigned char lead, unsigned char trail) {
  static const std::vector<char16_t> characters = GbkPairCharacters();
  if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE) return 0;
  return characters[(lead - 0x81) * kGbkTrailBytes + (trail - 0x40)];
}

}  // namespace

bool AppendCellText(std::string_view gbk, std::string& utf8) {
  bool whole = true;
  for (std::size_t i = 0; i < gbk.size(); ++i) {
    const auto byte = static_cast<unsigned char>(gbk[i]);
    if (byte < 0x80) {
      whole &= !IsControl(byte);
      utf8 += IsControl(byte) ? '?' : static_cast<char>(byte);
      continue;
    }
    const char16_t character =
        i + 1 < gbk.size() ? PairCharacter(byte, static_cast<unsigned char>(gbk[i + 1])) : char16_t{0};
    if (character == 0) {
      whole = false;
      utf8 += '?';  // the next byte starts afresh: a bad lead byte does not take a good character with it
      continue;
    }
    AppendUtf8(character, utf8);
    ++i;
  }
  return whole;
}

}  // namespace zelvane
