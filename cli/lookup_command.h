#pragma once

#include "cli/usage.h"

namespace zelvane::cli {

// `lookup [--prefixes TABLE] [--areas TABLE] NUMBER...`: prints each number's normalised form,
// carrier, home area and area code, tab-separated; "-" reads the numbers of standard input.
Command AddLookupCommand(CLI::App& parent);

}  // namespace zelvane::cli
