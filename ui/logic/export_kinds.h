#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ops/number_file_format.h"
#include "ui/logic/file_prompt.h"
#include "ui/logic/list_entry.h"

namespace zelvane {

// What an export writes: the save prompt's filters and the entries of "导出格式" are these, in this
// order, the first being the default.
struct ExportKind {
  std::string_view key;    // remembered between starts
  std::string_view label;  // the prompt's filter and the dialog's entry
  NumberFileFormat format;
  std::string_view note;  // a line the dialog shows under the list while the kind is chosen; empty: none
};

inline constexpr ExportKind kExportKinds[] = {
    {"txt", "文本文件(*.txt)", NumberFileFormat::Text, ""},
    {"xlsx", "Excel 工作簿(*.xlsx)", NumberFileFormat::Xlsx, ""},
    {"csv", "CSV 文件(*.csv)", NumberFileFormat::Csv, ""},
};

// 导出's save prompt: a filter per kind.
const FilePrompt& ExportPrompt();

// The kind of the file the save prompt gave: the filter chosen (its index), unless the name's extension
// names the format of another kind, whose first kind it is then.
const ExportKind& KindOfSavedFile(const std::filesystem::path& path, std::size_t filter);

// "导出格式"'s entries, and the index of the kind of key (the first for a key of none).
std::vector<ListEntry> ExportKindEntries();
std::size_t ExportKindIndex(std::string_view key);

}  // namespace zelvane
