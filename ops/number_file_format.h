#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "ops/number_form.h"

namespace zelvane {

// What a number file is written as: text (each number followed by the separator), a CSV file or an
// Excel workbook (one column headed 号码, each number a text cell).
enum class NumberFileFormat { Text, Csv, Xlsx };

// A number file's format and the form its numbers are written in. A format alone means the numbers as
// they are.
struct NumberFileStyle {
  NumberFileStyle(NumberFileFormat fileFormat = NumberFileFormat::Text, NumberForm numberForm = NumberForm::Plain)
      : format(fileFormat), form(numberForm) {}

  NumberFileFormat format;
  NumberForm form;
};

// "txt", "csv" or "xlsx" as the command line names them; nothing for another name.
std::optional<NumberFileFormat> FormatNamed(std::string_view name);

// ".txt", ".csv" or ".xlsx".
std::string_view FileExtension(NumberFileFormat format);

// A file's name in format: "移动.txt" as "移动.xlsx".
std::filesystem::path NameInFormat(std::string_view name, NumberFileFormat format);

// The format a file's extension names (".csv" and ".xlsx" in any case); text for any other.
NumberFileFormat FormatOfPath(const std::filesystem::path& path);

}  // namespace zelvane
