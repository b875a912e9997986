#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zelvane::test {

struct ZipEntry {
  std::string name;
  std::string data;
  bool stored = false;  // not deflated
};

// Writes a zip archive of the entries (with minizip's writer).
void WriteZip(const std::filesystem::path& path, const std::vector<ZipEntry>& entries);

// A worksheet's name and the XML inside its sheetData element.
struct TestSheet {
  std::string name;
  std::string cells;
};

// The parts of a workbook with these sheets and shared strings (each string's XML inside its si
// element), as spreadsheet programs write them.
std::vector<ZipEntry> WorkbookParts(const std::vector<TestSheet>& sheets, const std::vector<std::string>& shared = {});

// A row of cells in sheet XML: row from 1, each cell's XML inside its row.
std::string Row(int row, const std::string& cells);
// A cell's XML: <c r="B7" t="s"><v>0</v></c> from ("B7", "s", "<v>0</v>"); no type attribute when t is empty.
std::string Cell(const std::string& reference, const std::string& type, const std::string& inside);

}  // namespace zelvane::test
