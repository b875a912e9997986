#pragma once

#include <string_view>

namespace zelvane::builtin_prefix_tables {

// The texts of core/prefix_tables/*.txt, compiled in.
extern const std::string_view kOriginal;
extern const std::string_view kCurrent;

}  // namespace zelvane::builtin_prefix_tables
