#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ops/number_file_format.h"
#include "ops/number_form.h"
#include "ops/number_output.h"
#include "ui/logic/prompts.h"
#include "ui/logic/list_entry.h"

namespace zelvane {

// What an export writes: the save prompt's filters and the entries of "导出格式" are these, in this
// order, the first being the default.
struct ExportKind {
  std::string_view key;    // remembered between starts
  std::string_view label;  // the prompt's filter and the dialog's entry
  NumberFileFormat format;
  NumberForm form;
  // A line the dialogs show while the kind is chosen ("导出格式" under its list, the separator dialog);
  // empty: none.
  std::string_view note;

  NumberFileStyle Style() const { return {format, form}; }
};

// Said once where a hashed export is chosen: hashing is an upload format, not a way to hide numbers.
inline constexpr std::string_view kHashedNote = "散列只是上传的格式，不是匿名：全部号码几分钟就能算一遍并查回。";

// Plain text first: today's default, and what a typed ".txt" means under another format's filter.
inline constexpr ExportKind kExportKinds[] = {
    {"txt", "文本文件(*.txt)", NumberFileFormat::Text, NumberForm::Plain, ""},
    {"xlsx", "Excel 工作簿(*.xlsx)", NumberFileFormat::Xlsx, NumberForm::Plain, ""},
    {"csv", "CSV 文件(*.csv)", NumberFileFormat::Csv, NumberForm::Plain, ""},
    {"md5", "MD5 值(*.txt)", NumberFileFormat::Text, NumberForm::Md5, kHashedNote},
    {"sha256", "SHA-256 值(*.txt)", NumberFileFormat::Text, NumberForm::Sha256, kHashedNote},
    {"masked", "隐藏中间四位(*.txt)", NumberFileFormat::Text, NumberForm::Masked, ""},
};

// 导出's save prompt: a filter per kind.
const FilePrompt& ExportPrompt();

// The kind of the file the save prompt gave: the filter chosen (its index), unless the name's extension
// names another format: that format then, in the chosen form (a hashed list typed as .csv stays hashed).
ExportKind KindOfSavedFile(const std::filesystem::path& path, std::size_t filter);

// "导出格式"'s entries, and the index of the kind of key (the first for a key of none).
std::vector<ListEntry> ExportKindEntries();
std::size_t ExportKindIndex(std::string_view key);

}  // namespace zelvane
