#pragma once

#include <cstdint>
#include <filesystem>

namespace zelvane {

// Three quarters of the memory the system has available (MemAvailable in /proc/meminfo), or 1 GiB
// when that cannot be read.
std::uint64_t DefaultMemoryBudget();

// $TMPDIR, else /tmp.
std::filesystem::path DefaultTemporaryFolder();

}  // namespace zelvane
