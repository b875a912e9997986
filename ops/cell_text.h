#pragma once

#include <string>
#include <string_view>

namespace zelvane {

// Appends a number's bytes (GBK) to utf8 as the text of a workbook or CSV cell. Each byte that begins
// no GBK character the system knows, and each control character (which no cell holds), becomes one
// "?"; a number of digits is copied as it is. False when anything became "?".
bool AppendCellText(std::string_view gbk, std::string& utf8);

}  // namespace zelvane
