#pragma once

#include "cli/usage.h"

namespace zelvane::cli {

// `classify [--out DIR] [--separator SEP] [--by HOW] FILE...`: sorts the files' numbers into the five
// category files, or by home area (and carrier) into a file per area.
Command AddClassifyCommand(CLI::App& parent);

}  // namespace zelvane::cli
