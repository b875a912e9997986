#include "core/table_text.h"

#include "core/number_file_reader.h"

namespace zelvane {

FileResult ReadTableFile(const std::filesystem::path& path, std::string_view kind, std::uint64_t maxBytes,
                         std::string& text) {
  NumberFile file;
  if (FileResult error = file.Open(path)) return error;
  if (file.Size() > maxBytes) {
    return FileError{FileOperation::Read, path,
                     "文件太大，" + std::string(kind) + "最多 " + std::to_string(maxBytes >> 20) + " MiB"};
  }
  file.SetUtf16Target(Utf16Converter::Target::Utf8);  // a table saved as "Unicode" is text like any other
  return LoadNumberFile(file, text);
}

std::string TableErrorMessage(std::string_view kind, const std::filesystem::path& path, const TableLineError& error) {
  return std::string(kind) + "“" + PathInMessage(path) + "”第" + std::to_string(error.line) + "行：" + error.reason;
}

}  // namespace zelvane
