#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zelvane::cli {

// A size given on the command line: a whole number of bytes, or of KiB, MiB or GiB with the suffix K, M
// or G (either case), such as 256M. Nothing when it is malformed, zero or too large.
std::optional<std::uint64_t> ParseMemorySize(std::string_view argument);

}  // namespace zelvane::cli
