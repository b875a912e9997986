#pragma once

#include "cli/usage.h"

namespace zelvane::cli {

// `classify [--out DIR] [--separator SEP] FILE...`: sorts the files' numbers into the five category files.
Command AddClassifyCommand(CLI::App& parent);

}  // namespace zelvane::cli
