#pragma once

#include <cstdint>
#include <filesystem>

namespace zelvane {

// Three quarters of the memory this process may still take (MemoryLeft: what the system has
// available, or less where a control group or a job object limits it); at least 16 MiB, and 1 GiB
// when that is unknown.
std::uint64_t DefaultMemoryBudget();
std::uint64_t MemoryBudgetFor(std::uint64_t memoryLeft);

// $TMPDIR, else /tmp; Windows' own temporary folder there.
std::filesystem::path DefaultTemporaryFolder();

}  // namespace zelvane
