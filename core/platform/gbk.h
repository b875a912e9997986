#pragma once

#include <string>
#include <string_view>

namespace zelvane {

// Appends text (UTF-16 without surrogates) to output as GBK, through the system's code tables;
// each unit that GBK lacks becomes one "?". False when the system has no GBK.
bool AppendGbk(std::u16string_view text, std::string& output);

}  // namespace zelvane
