#pragma once

#include <cstdint>
#include <string>

#include "core/count_text.h"
#include "core/file_error.h"
#include "core/platform/digest.h"
#include "ops/number_comparison.h"
#include "ops/text_source.h"

namespace zelvane {

// Compares plain, a number file, with keys, the digest keys of a hashed list of kind (FindHashedList): each
// number of plain, normalised, is hashed and its key looked for among keys. Hands plain's numbers that
// the mode selects to sink, in plain's order; tokens of plain that are no numbers are not hashed, take
// no part and are counted in notHashed. memory is what the comparison's data may take.
FileResult CompareWithHashedList(TextSource& plain, TextSource& keys, DigestKind kind, std::uint64_t memory,
                                 const ComparisonSettings& settings, const NumberSink& sink, std::uint64_t& notHashed);

// What a comparison with a hashed list tells beside the count found: "“b.txt”是MD5值列表，比较的是
// “a.txt”中号码的MD5值", and the tokens left out.
std::string HashedComparisonText(const ComparisonOutcome& outcome, const std::string& plainName,
                                 const std::string& hashedName, CountForm form);

}  // namespace zelvane
