#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <optional>
#include <string>

#include "ops/number_file_format.h"
#include "ops/number_output.h"

namespace zelvane::cli {

// Adds the --format option of the commands that write number files: txt, csv or xlsx.
CLI::Option* AddFormatOption(CLI::App& app, std::string& format);

// The format given (empty: the default), or nothing with problem saying why it is none.
std::optional<NumberFileFormat> ParseFormatArgument(const std::string& format, NumberFileFormat fallback,
                                                    std::string& problem);

// The lines that say how many numbers were written with a "?" and how many tokens were left out of
// hashed or masked output (NumberOutput); empty when none was.
std::string WrittenNumbersText(const NumberOutputCounts& written);

}  // namespace zelvane::cli
