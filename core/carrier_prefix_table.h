#pragma once

#include <array>
#include <string_view>

#include "core/number_category.h"

namespace zelvane {

// Maps a three-digit prefix value (0..999) to its category.
using CarrierPrefixTable = std::array<NumberCategory, 1000>;

// Values 0..9 stand for no carrier: they are Other, like every prefix outside the carriers' lists.
CarrierPrefixTable BuildCarrierPrefixTable();

// The program's one table, built on first use.
const CarrierPrefixTable& GlobalCarrierPrefixTable();

// Strips "+86", else "86", else the 0 of "01…" (but not of "010…"). The result views the input.
std::string_view NormalizeNumber(std::string_view token);

// The value that the first three bytes of a number read as (C's atoi rules); in -99..999.
int PrefixValue(std::string_view number);

// The category of a normalised number: its prefix value through the table, then the length rule.
NumberCategory ClassifyNumber(std::string_view number, const CarrierPrefixTable& table = GlobalCarrierPrefixTable());

}  // namespace zelvane
