#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <optional>
#include <string>

#include "ops/number_file_format.h"

namespace zelvane::cli {

// Adds the --format option of the commands that write number files: txt, csv or xlsx.
CLI::Option* AddFormatOption(CLI::App& app, std::string& format);

// The format given (empty: the default), or nothing with problem saying why it is none.
std::optional<NumberFileFormat> ParseFormatArgument(const std::string& format, NumberFileFormat fallback,
                                                    std::string& problem);

// The line that says how many numbers were written with a "?" (NumberOutput); empty when none was.
std::string ReplacedNumbersText(std::uint64_t replaced);

}  // namespace zelvane::cli
