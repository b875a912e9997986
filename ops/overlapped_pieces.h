#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace zelvane {

// Makes pieces and uses them at once, on two cores: produce fills a buffer of pieceSize bytes and
// returns how many it filled (0 at the end, negative on failure) on a thread of its own, while
// consume takes the pieces in order on the calling thread and returns false to stop. Returns what
// produce returned last (0 when consume stopped). Without a second thread, or when told not to
// overlap (a few pieces, where handing them over costs more than it saves), it runs them in turn. An
// exception of consume stops produce and goes on to the caller; produce must not throw.
int OverlapPieces(std::size_t pieceSize, const std::function<int(char* buffer, std::size_t size)>& produce,
                  const std::function<bool(std::string_view piece)>& consume, bool overlap = true);

}  // namespace zelvane
