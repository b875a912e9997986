#include "tests/support/test_workbook.h"

#include <minizip/zip.h>

#include <stdexcept>

#include "tests/support/zip_file_functions.h"

namespace zelvane::test {

void WriteZip(const std::filesystem::path& path, const std::vector<ZipEntry>& entries) {
  zipFile zip = zipOpen2_64(path.c_str(), APPEND_STATUS_CREATE, nullptr, ZipFileFunctions());
  if (!zip) throw std::runtime_error("cannot create a zip archive");
  for (const ZipEntry& entry : entries) {
    zip_fileinfo info{};
    if (zipOpenNewFileInZip64(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                              entry.stored ? 0 : Z_DEFLATED, Z_DEFAULT_COMPRESSION, 1) != ZIP_OK ||
        zipWriteInFileInZip(zip, entry.data.data(), static_cast<unsigned>(entry.data.size())) != ZIP_OK ||
        zipCloseFileInZip(zip) != ZIP_OK) {
      zipClose(zip, nullptr);
      throw std::runtime_error("cannot write " + entry.name);
    }
  }
  if (zipClose(zip, nullptr) != ZIP_OK) throw std::runtime_error("cannot close a zip archive");
}

std::vector<ZipEntry> WorkbookParts(const std::vector<TestSheet>& sheets, const std::vector<std::string>& shared) {
  const std::string relationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  const std::string declaration = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)";
  std::string sheetList;
  std::string links;
  std::vector<ZipEntry> parts;
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    const std::string number = std::to_string(i + 1);
    sheetList += "<sheet name=\"" + sheets[i].name + "\" sheetId=\"" + number + "\" r:id=\"rId" + number + "\"/>";
    links += "<Relationship Id=\"rId" + number + "\" Type=\"" + relationships +
             "/worksheet\" Target=\"worksheets/sheet" + number + ".xml\"/>";
    parts.push_back({"xl/worksheets/sheet" + number + ".xml",
                     declaration +
                         R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)" +
                         sheets[i].cells + "</sheetData></worksheet>"});
  }
  if (!shared.empty()) {
    std::string strings;
    for (const std::string& text : shared) strings += "<si>" + text + "</si>";
    parts.push_back({"xl/sharedStrings.xml",
                     declaration + R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)" +
                         strings + "</sst>"});
    links +=
        "<Relationship Id=\"rIdStrings\" Type=\"" + relationships + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
  }
  parts.push_back({"[Content_Types].xml", declaration + "<Types/>"});
  parts.push_back(
      {"_rels/.rels", declaration +
                          R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
                          "<Relationship Id=\"rId1\" Type=\"" +
                          relationships + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"});
  parts.push_back({"xl/workbook.xml",
                   declaration +
                       R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r=")" +
                       relationships + "\"><sheets>" + sheetList + "</sheets></workbook>"});
  parts.push_back({"xl/_rels/workbook.xml.rels",
                   declaration +
                       R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)" +
                       links + "</Relationships>"});
  return parts;
}

std::string Row(int row, const std::string& cells) {
  return "<row r=\"" + std::to_string(row) + "\">" + cells + "</row>";
}

std::string Cell(const std::string& reference, const std::string& type, const std::string& inside) {
  return "<c r=\"" + reference + "\"" + (type.empty() ? std::string() : " t=\"" + type + "\"") + ">" + inside + "</c>";
}

}  // namespace zelvane::test
