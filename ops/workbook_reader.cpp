#include "ops/workbook_reader.h"

#include <optional>
#include <vector>

#include "ops/file_failure.h"
#include "ops/shared_strings.h"
#include "ops/sheet_cells.h"
#include "ops/workbook_parts.h"

namespace zelvane {

namespace {

const PartLink* LinkOf(const std::vector<PartLink>& links, std::string_view id, std::string_view type) {
  for (const PartLink& link : links) {
    if ((id.empty() || link.id == id) && (type.empty() || link.type == type)) return &link;
  }
  return nullptr;
}

FileError NoSuchSheet(const std::filesystem::path& path, const std::string& sheet,
                      const std::vector<SheetEntry>& sheets) {
  std::string names;
  for (const SheetEntry& entry : sheets) names += (names.empty() ? "" : "、") + entry.name;
  FileError error{FileOperation::Read, path,
                  "工作簿中没有工作表“" + sheet + "”（有" + std::to_string(sheets.size()) + "个：" + names + "）"};
  error.usage = true;
  return error;
}

// The part of the sheet chosen, or an error.
FileResult ChooseSheet(const std::filesystem::path& path, const std::string& sheet,
                       const std::vector<SheetEntry>& sheets, const std::vector<PartLink>& links, std::string& part) {
  const SheetEntry* chosen = nullptr;
  for (const SheetEntry& entry : sheets) {
    if (sheet.empty() ? LinkOf(links, entry.link, "worksheet") != nullptr : entry.name == sheet) {
      chosen = &entry;
      break;
    }
  }
  if (!chosen && !sheet.empty() && sheet.size() < 6 && sheet.find_first_not_of("0123456789") == std::string::npos) {
    const unsigned long number = std::stoul(sheet);
    if (number >= 1 && number <= sheets.size()) chosen = &sheets[number - 1];
  }
  if (!chosen && sheet.empty()) return FileError{FileOperation::Read, path, "工作簿中没有工作表"};
  if (!chosen) return NoSuchSheet(path, sheet, sheets);
  const PartLink* link = LinkOf(links, chosen->link, "");
  if (!link) return FileError{FileOperation::Read, path, "工作簿已损坏：找不到工作表“" + chosen->name + "”"};
  if (link->type != "worksheet") {
    FileError error{FileOperation::Read, path, "“" + chosen->name + "”不是工作表（如图表），没有单元格"};
    error.usage = true;
    return error;
  }
  part = link->part;
  return std::nullopt;
}

// Advances progress by the file's bytes as the sheet is inflated, and stops the read when asked to.
class SheetProgress {
 public:
  SheetProgress(WorkProgress* progress, const std::filesystem::path& path, std::uint64_t fileSize)
      : progress_(progress), path_(path), fileSize_(fileSize) {}

  void Follow(std::uint64_t done, std::uint64_t total) {
    if (!progress_) return;
    if (total > 0) AdvanceTo(static_cast<std::uint64_t>(static_cast<double>(fileSize_) * done / total));
    if (progress_->StopRequested()) throw FileFailure(CancelledError(FileOperation::Read, path_));
  }
  void Finish() {
    if (progress_) AdvanceTo(fileSize_);
  }

 private:
  void AdvanceTo(std::uint64_t share) {
    if (share > advanced_) progress_->Advance(share - advanced_);
    advanced_ = std::max(advanced_, share);
  }

  WorkProgress* progress_;
  const std::filesystem::path& path_;
  std::uint64_t fileSize_;
  std::uint64_t advanced_ = 0;
};

FileResult ReadOpenWorkbook(ZipArchive& archive, const std::filesystem::path& path, const std::string& sheet,
                            CellNumbers& cells, WorkProgress* progress) {
  std::vector<PartLink> links;
  if (FileResult error = ReadPartLinks(archive, "", links)) return error;
  const PartLink* document = LinkOf(links, "", "officeDocument");
  const std::string workbookPart = document ? document->part : "xl/workbook.xml";
  if (!archive.Has(workbookPart)) return archive.Damaged("这个 zip 文件中没有 Excel 工作簿");
  std::vector<SheetEntry> sheets;
  if (FileResult error = ReadSheetEntries(archive, workbookPart, sheets)) return error;
  if (FileResult error = ReadPartLinks(archive, workbookPart, links)) return error;
  std::string sheetPart;
  if (FileResult error = ChooseSheet(path, sheet, sheets, links, sheetPart)) return error;

  SheetProgress following(progress, path, archive.Size());
  const auto follow = [&following](std::uint64_t done, std::uint64_t total) { following.Follow(done, total); };
  SharedStrings shared(cells.HeaderTexts());
  if (const PartLink* strings = LinkOf(links, "", "sharedStrings")) {
    if (FileResult error = ParsePart(archive, strings->part, shared)) return error;
  }
  SheetCells sheetCells(cells, shared);
  if (FileResult error = ParsePart(archive, sheetPart, sheetCells, follow)) return error;
  if (!sheetCells.Damage().empty()) return archive.Damaged(sheetPart + " " + sheetCells.Damage());
  following.Finish();
  return std::nullopt;
}

}  // namespace

FileResult ReadWorkbook(const std::filesystem::path& path, const std::string& sheet, CellNumbers& cells,
                        WorkProgress* progress) {
  ZipArchive archive;
  if (FileResult error = archive.Open(path)) return error;
  try {
    return ReadOpenWorkbook(archive, path, sheet, cells, progress);
  } catch (const FileFailure& failure) {
    return failure.error();
  }
}

}  // namespace zelvane
