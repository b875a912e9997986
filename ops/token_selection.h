#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "core/file_error.h"
#include "ops/bit_array.h"
#include "ops/number_comparison.h"
#include "ops/text_source.h"

namespace zelvane {

// What is left of memory once taken is taken, or 0.
inline std::uint64_t MemoryAfter(std::uint64_t memory, std::uint64_t taken) {
  return memory > taken ? memory - taken : 0;
}

// The part of the memory budget left for a comparison's own data.
std::uint64_t ComparisonDataMemory(const ComparisonSettings& settings);

// The folder of a comparison's temporary files.
std::filesystem::path ComparisonTemporaryFolder(const ComparisonSettings& settings);

// The tokens of scanned a comparison selects, by ordinal: those that occur in searched (find same) or
// nowhere in it (find different), with settings.unique only the first of each normalised number.
struct TokenSelection {
  BitArray selected;
  std::uint64_t tokens = 0;  // the tokens counted: a regular file read again may have grown meanwhile
};

// Scans scanned, searches searched for its tokens in memory bytes and selects them. The progress total
// counts the passes made here and laterBytes of reading after them.
FileResult SelectTokens(TextSource& scanned, TextSource& searched, std::uint64_t memory,
                        const ComparisonSettings& settings, std::uint64_t laterBytes,
                        std::optional<TokenSelection>& selection);

}  // namespace zelvane
