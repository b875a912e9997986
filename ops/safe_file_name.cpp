#include "ops/safe_file_name.h"

#include <array>

namespace zelvane {

namespace {

// The UTF-8 length of the character at the start of text that a name must not hold, or 0.
std::size_t UnsafeCharacterLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char first = byte(0);
  if (first < 0x20 || first == 0x7F || std::string_view("/\\:*?\"<>|").find(text[0]) != std::string_view::npos) {
    return 1;
  }
  if (text.size() >= 2 && first == 0xC2 && byte(1) >= 0x80 && byte(1) <= 0x9F) return 2;  // C1 controls
  if (text.size() < 3) return 0;
  if (first == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) return 3;  // U+FEFF
  if (first != 0xE2) return 0;
  const unsigned second = byte(1);
  const unsigned third = byte(2);
  const bool invisible = (second == 0x80 && ((third >= 0x8B && third <= 0x8F) || (third >= 0xA8 && third <= 0xAE))) ||
                         (second == 0x81 && third >= 0xA6 && third <= 0xA9);
  return invisible ? 3 : 0;
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 name devices on Windows, whatever follows a dot.
bool IsDeviceName(std::string_view name) {
  std::string stem;
  for (const char c : name.substr(0, name.find('.'))) stem += AsciiUpper(c);
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  static constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
  for (const std::string_view device : kDevices) {
    if (stem == device) return true;
  }
  return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

std::string FoldedCase(std::string name) {
  for (char& c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return name;
}

std::string SafeFileName(std::string_view name) {
  std::string safe;
  while (!name.empty()) {
    const std::size_t unsafe = UnsafeCharacterLength(name);
    safe += unsafe > 0 ? '_' : name[0];
    name.remove_prefix(unsafe > 0 ? unsafe : 1);
  }
  for (auto it = safe.rbegin(); it != safe.rend() && (*it == '.' || *it == ' '); ++it) *it = '_';
  if (safe.empty() || IsDeviceName(safe)) safe.insert(0, "_");
  return safe;
}

}  // namespace zelvane
