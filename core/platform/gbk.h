#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelvane {

// Appends text (UTF-16 without surrogates) to output as GBK, through the system's code tables;
// each unit that GBK lacks becomes one "?". False when the system has no GBK.
bool AppendGbk(std::u16string_view text, std::string& output);

// The GBK characters of two bytes as the system's code tables have them: the character of lead byte
// 0x81 + i and trail byte 0x40 + j at i * kGbkTrailBytes + j, 0 where there is none (or no GBK at all).
inline constexpr unsigned kGbkLeadBytes = 0xFE - 0x81 + 1;
inline constexpr unsigned kGbkTrailBytes = 0xFE - 0x40 + 1;
std::vector<char16_t> GbkPairCharacters();

}  // namespace zelvane
