#include "ops/memory_budget.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace zelvane {

std::uint64_t DefaultMemoryBudget() {
  std::ifstream meminfo("/proc/meminfo");
  std::string key;
  std::uint64_t kibibytes = 0;
  while (meminfo >> key >> kibibytes) {
    if (key == "MemAvailable:") return kibibytes * 1024 / 4 * 3;
    meminfo.ignore(64, '\n');
  }
  return std::uint64_t{1} << 30;
}

std::filesystem::path DefaultTemporaryFolder() {
  const char* folder = std::getenv("TMPDIR");
  return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

}  // namespace zelvane
