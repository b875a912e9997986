#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/file_error.h"
#include "ops/xml_parser.h"
#include "ops/zip_archive.h"

namespace zelvane {

// Parses the part name of archive with handler; a part that is no well-formed XML is damage.
FileResult ParsePart(ZipArchive& archive, const std::string& name, XmlHandler& handler,
                     const std::function<void(std::uint64_t done, std::uint64_t total)>& progress = {});

// A link from one part to another: its type (the last word of its type's address: "worksheet",
// "sharedStrings", "officeDocument") and the part it names in the archive.
struct PartLink {
  std::string id;
  std::string type;
  std::string part;
};

// The links of part (none when it has no list of them).
FileResult ReadPartLinks(ZipArchive& archive, const std::string& part, std::vector<PartLink>& links);

// A sheet of a workbook, in the workbook's order: its name and the id of its link.
struct SheetEntry {
  std::string name;
  std::string link;
};

FileResult ReadSheetEntries(ZipArchive& archive, const std::string& workbookPart, std::vector<SheetEntry>& sheets);

}  // namespace zelvane
