#pragma once

#include <string>
#include <string_view>

namespace zelvane {

// Appends text (UTF-16 without surrogates) to output as GBK, through the system's code tables;
// each unit that GBK lacks becomes one "?". False when the system has no GBK.
bool AppendGbk(std::u16string_view text, std::string& output);

// GBK bytes (a number, or text among the numbers) as UTF-8 to show, decoded as the window's list
// decodes them: a byte that starts no GBK character becomes U+FFFD (on Windows, what code page 936
// makes of it).
std::string Utf8FromGbk(std::string_view gbk);

}  // namespace zelvane
