#pragma once

#include "cli/usage.h"

namespace zelvane::cli {

// `prefixes [original|current|FILE]`: prints a prefix table in the table file format.
Command AddPrefixesCommand(CLI::App& parent);

}  // namespace zelvane::cli
