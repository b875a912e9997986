#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "ops/bit_array.h"
#include "ops/text_source.h"

namespace zelvane {

// Clears the bit of every selected token of scanned (its first tokens ordinals) whose number, normalised,
// an earlier selected token has. With bucketBits, the numbers are sorted into buckets by hash in a
// temporary file in folder, frames of frameSize bytes, and each bucket is checked on its own. Failures
// throw FileFailure.
void ClearRepeats(TextSource& scanned, std::uint64_t tokens, BitArray& selected, unsigned bucketBits,
                  std::size_t frameSize, const std::filesystem::path& folder);

}  // namespace zelvane
