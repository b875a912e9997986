#include "tests/support/workbook_contents.h"

#include <minizip/unzip.h>

#include "tests/support/zip_file_functions.h"

namespace zelvane::test {

namespace {

// The text between open and close after from, or nothing; from moves past close.
std::string_view Between(std::string_view xml, std::string_view open, std::string_view close, std::size_t& from) {
  const std::size_t start = xml.find(open, from);
  if (start == std::string_view::npos) return {};
  const std::size_t end = xml.find(close, start + open.size());
  if (end == std::string_view::npos) return {};
  from = end + close.size();
  return xml.substr(start + open.size(), end - start - open.size());
}

}  // namespace

std::map<std::string, std::string> ZipEntries(const std::filesystem::path& path) {
  std::map<std::string, std::string> entries;
  unzFile zip = unzOpen2_64(path.c_str(), ZipFileFunctions());
  if (zip == nullptr) return entries;
  bool whole = true;
  for (int status = unzGoToFirstFile(zip); status == UNZ_OK && whole; status = unzGoToNextFile(zip)) {
    char name[512];
    unz_file_info64 info;
    whole = unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) == UNZ_OK &&
            unzOpenCurrentFile(zip) == UNZ_OK;
    if (!whole) break;
    std::string& bytes = entries[name];
    bytes.resize(info.uncompressed_size);
    const int read = unzReadCurrentFile(zip, bytes.data(), static_cast<unsigned>(bytes.size()));
    whole = read == static_cast<int>(bytes.size()) && unzCloseCurrentFile(zip) == UNZ_OK;  // the CRC
  }
  unzClose(zip);
  if (!whole) entries.clear();
  return entries;
}

std::vector<SheetCell> SheetCells(std::string_view sheetXml) {
  std::vector<SheetCell> cells;
  std::size_t from = 0;
  for (;;) {
    const std::size_t start = sheetXml.find("<c r=\"", from);
    if (start == std::string_view::npos) return cells;
    const std::size_t end = sheetXml.find("</c>", start);
    const std::string_view cell = sheetXml.substr(start, end - start);
    from = end;
    std::size_t at = 0;
    SheetCell parsed{std::string(Between(cell, "r=\"", "\"", at)), {}};
    std::size_t kindAt = 0;
    const std::string_view kind = Between(cell, "t=\"", "\"", kindAt);
    parsed.number = kind.empty() || kind == "n";
    parsed.text = kind == "inlineStr" ? std::string(Between(cell, "<t>", "</t>", at))
                  : parsed.number     ? std::string(Between(cell, "<v>", "</v>", at))
                                      : "<t=" + std::string(kind) + ">";
    cells.push_back(std::move(parsed));
  }
}

}  // namespace zelvane::test
