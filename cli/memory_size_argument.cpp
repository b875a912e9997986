#include "cli/memory_size_argument.h"

#include <charconv>

namespace zelvane::cli {

std::optional<std::uint64_t> ParseMemorySize(std::string_view argument) {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(argument.data(), argument.data() + argument.size(), value);
  if (error != std::errc() || end == argument.data()) return std::nullopt;
  const std::string_view suffix(end, static_cast<std::size_t>(argument.data() + argument.size() - end));
  int shift = 0;
  if (suffix == "K" || suffix == "k") {
    shift = 10;
  } else if (suffix == "M" || suffix == "m") {
    shift = 20;
  } else if (suffix == "G" || suffix == "g") {
    shift = 30;
  } else if (!suffix.empty()) {
    return std::nullopt;
  }
  if (value == 0 || value > (UINT64_MAX >> shift)) return std::nullopt;
  return value << shift;
}

}  // namespace zelvane::cli
