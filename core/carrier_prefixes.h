#pragma once

// The carriers' three-digit number prefixes. Only this file spells out a prefix.

#include <array>

namespace zelvane::carrier_prefixes {

inline constexpr std::array kMobile = {134, 135, 136, 137, 138, 139, 150, 151, 152, 157, 158, 159, 187, 188};
inline constexpr std::array kUnicom = {130, 131, 132, 155, 156, 185, 186};
inline constexpr std::array kTelecom = {133, 153, 180, 189};

// Area-code prefixes 010..099 (read as 10..99) are fixed-wireless numbers.
inline constexpr int kAreaCodeFirst = 10;
inline constexpr int kAreaCodeLast = 99;

// Mobile, Unicom and Telecom numbers have exactly this many bytes once normalised.
inline constexpr int kCarrierNumberLength = 11;

}  // namespace zelvane::carrier_prefixes
