#pragma once

#include "cli/usage.h"

namespace zelvane::cli {

// `compare (--same | --different) [--out FILE] [--separator SEP] [--unique] [--memory SIZE]
// [--temp-dir DIR] [--hashed md5|sha256] FILE1 FILE2`: lists the numbers of the larger file that occur,
// or do not occur, in the other; of the number file, when the other is a hashed list, by their digests;
// "-" reads standard input.
Command AddCompareCommand(CLI::App& parent);

}  // namespace zelvane::cli
