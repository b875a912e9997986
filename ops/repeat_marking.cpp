#include "ops/repeat_marking.h"

#include <string_view>

#include "core/normalize_number.h"
#include "core/number_list.h"
#include "core/repeat_filter.h"
#include "ops/file_failure.h"
#include "ops/spill_store.h"
#include "ops/token_records.h"

namespace zelvane {

namespace {

// The numbers met so far, each kept once.
class FirstNumbers {
 public:
  // True when number was not met before.
  bool Admit(std::string_view number) {
    admitting_ = number;
    if (!filter_.Insert(number, Filter::Hash(number), numbers_.size())) return false;
    numbers_.Append(number);
    return true;
  }

 private:
  // The filter may grow, and look every id up, while it inserts one: that number is not kept yet.
  struct Resolve {
    const FirstNumbers* firsts;
    std::string_view operator()(std::uint64_t id) const {
      return id < firsts->numbers_.size() ? firsts->numbers_[id] : firsts->admitting_;
    }
  };
  using Filter = RepeatFilter<Resolve>;

  NumberList numbers_;
  std::string_view admitting_;
  Filter filter_{Resolve{this}};
};

}  // namespace

void ClearRepeats(TextSource& scanned, std::uint64_t tokens, BitArray& selected, unsigned bucketBits,
                  std::size_t frameSize, const std::filesystem::path& folder) {
  if (bucketBits == 0) {
    FirstNumbers firsts;
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
    FirstNumbers firsts;
    ThrowIfFailed(buckets.ForEachFrame(bucket, [&](std::string_view frame) {
      for (const char* record = frame.data(); record != frame.data() + frame.size();
           record += TokenRecord::SizeOf(record)) {
        if (!firsts.Admit(TokenRecord::Text(record))) selected.Clear(TokenRecord::Ordinal(record));
      }
    }));
  }
}

}  // namespace zelvane
