#pragma once

#include <cstdint>
#include <filesystem>

namespace zelvane {

// Three quarters of the memory this process may still use: what the system has available
// (MemAvailable in /proc/meminfo) or, when lower, what is left below the memory limit of its control
// group and of each group above it (cgroup v2 memory.max, v1 memory.limit_in_bytes); at least 16 MiB,
// and 1 GiB when nothing can be read.
std::uint64_t DefaultMemoryBudget();

// The same, reading /proc and /sys below root (tests point it at a made-up tree).
std::uint64_t MemoryBudgetUnder(const std::filesystem::path& root);

// $TMPDIR, else /tmp.
std::filesystem::path DefaultTemporaryFolder();

}  // namespace zelvane
