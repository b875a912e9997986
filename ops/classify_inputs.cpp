#include "ops/classify_inputs.h"

namespace zelvane {

std::uint64_t InputBytes(const std::vector<std::filesystem::path>& inputs) {
  std::uint64_t total = 0;
  for (const std::filesystem::path& input : inputs) {
    std::error_code error;
    if (input == kStandardInput || !std::filesystem::is_regular_file(input, error)) return 0;
    total += std::filesystem::file_size(input, error);
  }
  return total;
}

}  // namespace zelvane
