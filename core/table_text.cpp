#include "core/table_text.h"

#include "core/number_file_reader.h"

namespace zelvane {

bool ReadTableFile(const std::filesystem::path& path, std::string_view kind, std::uint64_t maxBytes, std::string& text,
                   TableLoadError& error) {
  NumberFile file;
  FileResult failure = file.Open(path);
  if (!failure && file.Size() > maxBytes) {
    error = {std::string(kind) + "“" + PathInMessage(path) + "”太大：最多 " + std::to_string(maxBytes >> 20) + " MiB",
             false};
    return false;
  }
  file.SetUtf16Target(Utf16Converter::Target::Utf8);  // a table saved as "Unicode" is text like any other
  if (!failure) failure = LoadNumberFile(file, text);
  if (failure) error = {failure->Message(), true};
  return !failure;
}

std::string TableErrorMessage(std::string_view kind, const std::filesystem::path& path, const TableLineError& error) {
  std::string reason = error.reason;
  for (char& c : reason) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';  // a NUL would cut the message short
  }
  return std::string(kind) + "“" + PathInMessage(path) + "”第" + std::to_string(error.line) + "行：" + reason;
}

}  // namespace zelvane
