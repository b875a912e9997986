#pragma once

#include <cstdint>
#include <filesystem>

namespace zelvane {

// MemoryLeft reading /proc and /sys below root (tests point it at a made-up tree).
std::uint64_t MemoryLeftUnder(const std::filesystem::path& root);

}  // namespace zelvane
