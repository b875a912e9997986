#pragma once

#include <cstdint>
#include <filesystem>

namespace zelvane {

// The bytes of memory this process may still take: what the system has available or, when lower,
// what its limits leave (control groups on Linux, a job object on Windows). 0 when unknown.
std::uint64_t MemoryLeft();

// The folder for temporary files: $TMPDIR (else /tmp), or Windows' own.
std::filesystem::path SystemTemporaryFolder();

}  // namespace zelvane
