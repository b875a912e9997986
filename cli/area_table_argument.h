#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "core/area_table.h"

namespace zelvane::cli {

// Adds the --areas option: the area table that numbers are looked up in.
CLI::Option* AddAreaTableOption(CLI::App& app, std::string& argument);

// The table that argument names: "builtin" (or nothing) or a table file, which is read into loaded.
// When it cannot be had the reason is printed, exit holds the exit code (1 when the file cannot be
// read, 2 when it is no table) and the result is null.
const AreaTable* ResolveAreaTable(const CLI::App& app, const std::string& argument, std::optional<AreaTable>& loaded,
                                  int& exit);

}  // namespace zelvane::cli
