#include "ui/logic/remembered_choices.h"

#include <system_error>

#include "core/file_error.h"

namespace zelvane {

namespace {

constexpr std::string_view kPrefixTable = "prefixTable";
constexpr std::string_view kPrefixTableFile = "prefixTableFile";
constexpr std::string_view kAreaTableFile = "areaTableFile";
constexpr std::string_view kSeparator = "separator";
constexpr std::string_view kExportKind = "exportKind";
constexpr std::string_view kAnalysisFiles[] = {"analysisFile1", "analysisFile2"};
constexpr std::string_view kAnalysisMode = "analysisMode";
constexpr std::string_view kPromptFolder = "promptFolder";

constexpr std::string_view kCurrentTableWord = "current";
constexpr std::string_view kFileTableWord = "file";
constexpr std::string_view kOriginalTableWord = "original";
constexpr std::string_view kFindDifferentWord = "different";
constexpr std::string_view kFindSameWord = "same";

bool IsFile(const std::filesystem::path& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(path, error);
}

bool IsFolder(const std::filesystem::path& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(path, error);
}

}  // namespace

std::optional<std::filesystem::path> RememberedChoices::Path(std::string_view name) const {
  const std::optional<std::string> text = m_store.Text(name);
  if (!text || text->empty()) return std::nullopt;
  try {
    return PathFromText(*text);
  } catch (const std::system_error&) {
    return std::nullopt;  // not UTF-8, on Windows: no path this program wrote
  }
}

void RememberedChoices::SetPath(std::string_view name, const std::filesystem::path& path) {
  m_store.SetText(name, PathInMessage(path));
}

RememberedChoices::PrefixTableChoice RememberedChoices::PrefixTable() const {
  const std::string kind = m_store.Text(kPrefixTable).value_or("");
  if (kind == kCurrentTableWord) return {PrefixTableKind::Current, {}};
  if (kind == kFileTableWord) {
    if (std::optional<std::filesystem::path> file = Path(kPrefixTableFile)) return {PrefixTableKind::File, *file};
  }
  return {};
}

void RememberedChoices::SetPrefixTable(PrefixTableKind kind, const std::filesystem::path& file) {
  m_store.SetText(kPrefixTable, kind == PrefixTableKind::Current ? kCurrentTableWord
                                : kind == PrefixTableKind::File  ? kFileTableWord
                                                                 : kOriginalTableWord);
  SetPath(kPrefixTableFile, file);
}

std::optional<std::filesystem::path> RememberedChoices::AreaTableFile() const { return Path(kAreaTableFile); }

void RememberedChoices::SetAreaTableFile(const std::optional<std::filesystem::path>& file) {
  SetPath(kAreaTableFile, file.value_or(std::filesystem::path()));
}

std::string RememberedChoices::Separator() const { return m_store.Text(kSeparator).value_or(""); }

void RememberedChoices::SetSeparator(std::string_view typed) { m_store.SetText(kSeparator, typed); }

std::string RememberedChoices::ExportKind() const { return m_store.Text(kExportKind).value_or(""); }

void RememberedChoices::SetExportKind(std::string_view key) { m_store.SetText(kExportKind, key); }

ComparisonRequest RememberedChoices::Analysis() const {
  ComparisonRequest analysis;
  std::filesystem::path* files[] = {&analysis.file1, &analysis.file2};
  for (std::size_t slot = 0; slot < 2; ++slot) {
    const std::optional<std::filesystem::path> file = Path(kAnalysisFiles[slot]);
    if (file && IsFile(*file)) *files[slot] = *file;
  }
  if (m_store.Text(kAnalysisMode) == kFindDifferentWord) analysis.mode = ComparisonMode::FindDifferent;
  return analysis;
}

void RememberedChoices::SetAnalysis(const ComparisonRequest& analysis) {
  SetPath(kAnalysisFiles[0], analysis.file1);
  SetPath(kAnalysisFiles[1], analysis.file2);
  m_store.SetText(kAnalysisMode, analysis.mode == ComparisonMode::FindDifferent ? kFindDifferentWord : kFindSameWord);
}

std::optional<std::filesystem::path> RememberedChoices::PromptFolder() const {
  std::optional<std::filesystem::path> folder = Path(kPromptFolder);
  if (!folder || !IsFolder(*folder)) return std::nullopt;
  return folder;
}

void RememberedChoices::SetPromptFolder(const std::filesystem::path& chosen, bool isFolder) {
  SetPath(kPromptFolder, isFolder ? chosen : chosen.parent_path());
}

}  // namespace zelvane
