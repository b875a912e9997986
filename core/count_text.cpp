#include "core/count_text.h"

namespace zelvane {

std::string CountText(std::uint64_t count, CountForm form) {
  std::string digits = std::to_string(count);
  if (form == CountForm::Grouped) {
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  }
  return digits;
}

}  // namespace zelvane
