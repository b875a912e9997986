#include "core/text_encoding.h"

#include "core/platform/gbk.h"

namespace zelvane {

namespace {

constexpr std::size_t kUnitBytes = 2;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

void AppendUtf8(char32_t code, std::string& output) {
  if (code < 0x80) {
    output += static_cast<char>(code);
  } else if (code < 0x800) {
    output += {static_cast<char>(0xC0 | code >> 6), static_cast<char>(0x80 | (code & 0x3F))};
  } else if (code < 0x10000) {
    output += {static_cast<char>(0xE0 | code >> 12), static_cast<char>(0x80 | (code >> 6 & 0x3F)),
               static_cast<char>(0x80 | (code & 0x3F))};
  } else {
    output += {static_cast<char>(0xF0 | code >> 18), static_cast<char>(0x80 | (code >> 12 & 0x3F)),
               static_cast<char>(0x80 | (code >> 6 & 0x3F)), static_cast<char>(0x80 | (code & 0x3F))};
  }
}

}  // namespace

// The units are decoded here, so that what counts as one character does not depend on the system:
// only the mapping of single characters to GBK is the system's. No character is transliterated (that
// turns some into several, "㌹" into "ヘルツ", and a token could grow too long to be a number).
bool Utf16Converter::Convert(std::string_view input, std::string& output) {
  pending_.append(input);
  const auto unit = [this](std::size_t at) {
    const auto first = static_cast<unsigned char>(pending_[at]);
    const auto second = static_cast<unsigned char>(pending_[at + 1]);
    return static_cast<char32_t>(order_ == ByteOrder::LittleEndian ? second << 8 | first : first << 8 | second);
  };
  units_.clear();
  std::size_t at = 0;
  for (; at + kUnitBytes <= pending_.size(); at += kUnitBytes) {
    const char32_t first = unit(at);
    char32_t code = first;
    if (IsHighSurrogate(first)) {
      if (at + 2 * kUnitBytes > pending_.size()) break;  // its pair may come with the next piece
      const char32_t second = unit(at + kUnitBytes);
      if (IsLowSurrogate(second)) {
        code = 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
        at += kUnitBytes;
      } else {
        code = '?';
      }
    } else if (IsLowSurrogate(first)) {
      code = '?';
    }
    if (target_ == Target::Utf8) {
      AppendUtf8(code, output);
    } else {
      units_ += code < 0x10000 ? static_cast<char16_t>(code) : u'?';  // GBK holds nothing beyond the BMP
    }
  }
  pending_.erase(0, at);
  return units_.empty() || AppendGbk(units_, output);
}

void Utf16Converter::Finish(std::string& output) {
  if (!pending_.empty()) output.push_back('?');
  pending_.clear();
}

bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
    if (byte < 0xC2 || byte > 0xF4 || i + length > text.size()) return false;
    char32_t value = byte & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      value = value << 6 | (next & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < smallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

}  // namespace zelvane
