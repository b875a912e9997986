#include "ops/number_file_format.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "core/file_error.h"

namespace zelvane {

namespace {

struct FormatName {
  NumberFileFormat format;
  std::string_view name;
};
constexpr std::array<FormatName, 3> kFormatNames{{
    {NumberFileFormat::Text, "txt"},
    {NumberFileFormat::Csv, "csv"},
    {NumberFileFormat::Xlsx, "xlsx"},
}};

}  // namespace

std::optional<NumberFileFormat> FormatNamed(std::string_view name) {
  for (const FormatName& entry : kFormatNames) {
    if (entry.name == name) return entry.format;
  }
  return std::nullopt;
}

std::string_view FileExtension(NumberFileFormat format) {
  switch (format) {
    case NumberFileFormat::Csv: return ".csv";
    case NumberFileFormat::Xlsx: return ".xlsx";
    case NumberFileFormat::Text: break;
  }
  return ".txt";
}

std::filesystem::path NameInFormat(std::string_view name, NumberFileFormat format) {
  return PathFromText(name).replace_extension(std::string(FileExtension(format)));
}

NumberFileFormat FormatOfPath(const std::filesystem::path& path) {
  std::string extension = PathInMessage(path.extension());
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const FormatName& entry : kFormatNames) {
    if (extension.size() == entry.name.size() + 1 && extension.substr(1) == entry.name) return entry.format;
  }
  return NumberFileFormat::Text;
}

}  // namespace zelvane
