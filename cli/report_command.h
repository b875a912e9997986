#pragma once

#include "cli/usage.h"

namespace zelvane::cli {

// `report [--by province|city] [--prefixes TABLE] [--areas TABLE] [--out FILE] FILE...`:
// the numbers of the files counted by home area and carrier, a row per province or city, the 合计 row
// last; the summary (numbers, distinct, repeats, unknown area) on standard error.
Command AddReportCommand(CLI::App& parent);

}  // namespace zelvane::cli
