#include "cli/format_argument.h"

namespace zelvane::cli {

CLI::Option* AddFormatOption(CLI::App& app, std::string& format) {
  return app
      .add_option("--format", format,
                  "写出的文件格式：txt（文本，默认）、csv（UTF-8 带 BOM，标题行“号码”）或 xlsx（Excel 工作簿，"
                  "号码为文本单元格）")
      ->type_name("txt|csv|xlsx");
}

std::optional<NumberFileFormat> ParseFormatArgument(const std::string& format, NumberFileFormat fallback,
                                                    std::string& problem) {
  if (format.empty()) return fallback;
  const std::optional<NumberFileFormat> named = FormatNamed(format);
  if (!named) problem = "文件格式“" + format + "”无效：应为 txt、csv 或 xlsx";
  return named;
}

std::string WrittenNumbersText(const NumberOutputCounts& written) {
  std::string text;
  for (const std::string& note : WrittenNumbersNotes(written, CountForm::Digits)) text += note + "\n";
  return text;
}

}  // namespace zelvane::cli
