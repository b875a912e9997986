#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "core/area_table.h"
#include "core/prefix_table.h"

namespace zelvane::cli {

// Adds the --prefixes option: the prefix table that sorts the numbers.
CLI::Option* AddPrefixTableOption(CLI::App& app, std::string& argument);
// Adds the --areas option: the area table that numbers are looked up in.
CLI::Option* AddAreaTableOption(CLI::App& app, std::string& argument);

// The tables that arguments name: a built-in one by its name (none given: the default) or a table file.
// When it cannot be had the reason is printed and exit holds the exit code: 1 when the file cannot be
// read, 2 when it is no table (not as the format wants, too large, or standard input).
std::optional<PrefixTable> ResolvePrefixTable(const CLI::App& app, const std::string& argument, int& exit);
// An area table file is read into loaded; null when it cannot be had.
const AreaTable* ResolveAreaTable(const CLI::App& app, const std::string& argument, std::optional<AreaTable>& loaded,
                                  int& exit);

}  // namespace zelvane::cli
