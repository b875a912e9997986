#include "ops/repeat_marking.h"

#include <string_view>

#include "core/first_occurrences.h"
#include "core/normalize_number.h"
#include "ops/file_failure.h"
#include "ops/spill_store.h"
#include "ops/token_records.h"

namespace zelvane {

void ClearRepeats(TextSource& scanned, std::uint64_t tokens, BitArray& selected, unsigned bucketBits,
                  std::size_t frameSize, const std::filesystem::path& folder) {
  if (bucketBits == 0) {
    FirstOccurrences firsts;
    ThrowIfFailed(ForEachToken(scanned, [&](std::string_view token, std::uint64_t ordinal) {
      if (ordinal < tokens && selected.Test(ordinal) && !firsts.Admit(NormalizeNumber(token))) selected.Clear(ordinal);
    }));
    return;
  }
  SpillStore buckets(std::size_t{1} << bucketBits, frameSize, 0, folder);
  ThrowIfFailed(ForEachToken(scanned, [&](std::string_view token, std::uint64_t ordinal) {
    if (ordinal >= tokens || !selected.Test(ordinal)) return;
    const std::string_view number = NormalizeNumber(token);
    const std::size_t bucket = XXH3_64bits(number.data(), number.size()) >> (64 - bucketBits);
    TokenRecord::Write(buckets.Append(bucket, TokenRecord::SizeFor(number.size())), number, ordinal);
  }));
  for (std::size_t bucket = 0; bucket < std::size_t{1} << bucketBits; ++bucket) {
    FirstOccurrences firsts;
    ThrowIfFailed(buckets.ForEachFrame(bucket, [&](std::string_view frame) {
      for (const char* record = frame.data(); record != frame.data() + frame.size();
           record += TokenRecord::SizeOf(record)) {
        if (!firsts.Admit(TokenRecord::Text(record))) selected.Clear(TokenRecord::Ordinal(record));
      }
    }));
  }
}

}  // namespace zelvane
