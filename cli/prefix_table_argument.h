#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "core/prefix_table.h"

namespace zelvane::cli {

// Adds the --prefixes option: the prefix table that sorts the numbers.
CLI::Option* AddPrefixTableOption(CLI::App& app, std::string& argument);

// The table that argument names: "original", "current" or a table file. When it cannot be had the
// reason is printed and exit holds the exit code: 1 when the file cannot be read, 2 when it is no table.
std::optional<PrefixTable> ResolvePrefixTable(const CLI::App& app, const std::string& argument, int& exit);

}  // namespace zelvane::cli
