#pragma once

#include <cstddef>
#include <filesystem>

namespace zelvane {

// The start of a text file judged for extraction: its first 64 KiB.
inline constexpr std::size_t kJudgedTextBytes = 64 << 10;

// Whether a text file reads better with the numbers found inside its text (--extract) than token by
// token: in more than half of the non-empty lines of its start NumberFinder finds numbers, and others
// than the line's tokens (normalised) are, as in "张三 138-0013-8000 深圳" or "139 0013 9000". A list of
// numbers alone never does; nor does a file that cannot be read (its import says why).
bool NumbersMostlyInsideText(const std::filesystem::path& path);

}  // namespace zelvane
