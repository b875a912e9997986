#pragma once

#include "cli/usage.h"

namespace zelvane::cli {

// `areas [builtin|FILE]`: prints an area table in the table file format.
Command AddAreasCommand(CLI::App& parent);

}  // namespace zelvane::cli
