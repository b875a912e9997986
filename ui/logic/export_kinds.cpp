#include "ui/logic/export_kinds.h"

#include <algorithm>
#include <iterator>

namespace zelvane {

namespace {

// The extension of a path, lowered in ASCII.
std::string LowerExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c; });
  return extension;
}

}  // namespace

const FilePrompt& ExportPrompt() {
  static const std::string filter = [] {
    std::string text;
    for (const ExportKind& kind : kExportKinds) text += (text.empty() ? "" : ";;") + std::string(kind.label);
    return text;
  }();
  static const FilePrompt prompt{"选择要导出的号码文件", filter, "txt"};
  return prompt;
}

ExportKind KindOfSavedFile(const std::filesystem::path& path, std::size_t filter) {
  ExportKind chosen = kExportKinds[std::min(filter, std::size(kExportKinds) - 1)];
  const std::string extension = LowerExtension(path);
  for (const ExportKind& kind : kExportKinds) {
    if (extension == FileExtension(kind.format)) chosen.format = kind.format;
  }
  return chosen;
}

std::vector<ListEntry> ExportKindEntries() {
  std::vector<ListEntry> entries;
  for (const ExportKind& kind : kExportKinds) entries.push_back({std::string(kind.label), std::string(kind.note)});
  return entries;
}

std::size_t ExportKindIndex(std::string_view key) {
  const auto found = std::find_if(std::begin(kExportKinds), std::end(kExportKinds),
                                  [key](const ExportKind& kind) { return kind.key == key; });
  return found == std::end(kExportKinds) ? 0 : static_cast<std::size_t>(found - std::begin(kExportKinds));
}

}  // namespace zelvane
