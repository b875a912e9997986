#pragma once

#include <string_view>

#include "core/number_list.h"
#include "ops/number_comparison.h"

namespace zelvane::test {

// 1 when needle occurs in haystack, -1 when it does not. Both end at their first zero byte; bytes are
// compared exactly, and an empty needle is never found. A plain byte-by-byte search.
int ContainsSubstring(std::string_view haystack, std::string_view needle);

// What a comparison selects, token by token through ContainsSubstring: quadratic, the yardstick that
// the fast comparison is checked and timed against.
NumberList CompareNumberFilesNaively(std::string_view scanned, std::string_view searched, ComparisonMode mode);

}  // namespace zelvane::test
