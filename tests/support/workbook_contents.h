#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zelvane::test {

// The entries of a zip archive (a workbook) by name, inflated by minizip with their checksums checked;
// empty when the file is no whole archive.
std::map<std::string, std::string> ZipEntries(const std::filesystem::path& path);

// A cell of a sheet: its reference (A1) and its text; a number cell its value, marked a number; any other
// cell the text "<t=KIND>".
struct SheetCell {
  std::string reference;
  std::string text;
  bool number = false;
  bool operator==(const SheetCell&) const = default;
};

// The cells of a sheet's XML in order.
std::vector<SheetCell> SheetCells(std::string_view sheetXml);

}  // namespace zelvane::test
