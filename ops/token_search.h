#pragma once

#include <string_view>
#include <vector>

namespace zelvane {

// For each token of scanned, in scan order: whether its text occurs anywhere in text. Time about
// linear in the two; throws std::bad_alloc when the memory for the search cannot be had.
std::vector<bool> FindTokensIn(std::string_view scanned, std::string_view text);

}  // namespace zelvane
