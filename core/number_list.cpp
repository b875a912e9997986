#include "core/number_list.h"

namespace zelvane {

void NumberList::Truncate(std::size_t count) {
  if (count >= size()) return;
  ends_.resize(count);
  bytes_.resize(count == 0 ? 0 : ends_.back());
}

}  // namespace zelvane
