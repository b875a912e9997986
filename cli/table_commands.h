#pragma once

#include "cli/usage.h"

namespace zelvane::cli {

// `prefixes [original|current|FILE]` and `areas [builtin|FILE]`: print a table in its file format
// (a file after checking it), a starting point for a table of one's own.
Command AddPrefixesCommand(CLI::App& parent);
Command AddAreasCommand(CLI::App& parent);

}  // namespace zelvane::cli
