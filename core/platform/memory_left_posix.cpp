#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <optional>
#include <string>

#include "core/platform/memory_left.h"
#include "core/platform/memory_left_posix.h"

namespace zelvane {

namespace {

constexpr std::uint64_t kUnknown = std::numeric_limits<std::uint64_t>::max();

std::uint64_t MemAvailable(const std::filesystem::path& root) {
  std::ifstream meminfo(root / "proc/meminfo");
  std::string key;
  std::uint64_t kibibytes = 0;
  while (meminfo >> key >> kibibytes) {
    if (key == "MemAvailable:") return kibibytes * 1024;
    meminfo.ignore(64, '\n');
  }
  return kUnknown;
}

// A file's first word as a number of bytes; "max" and anything unreadable are no limit.
std::optional<std::uint64_t> ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::uint64_t bytes = 0;
  if (!(in >> bytes)) return std::nullopt;
  return bytes;
}

// What is left below the limits of group and of every group above it, below mount.
std::uint64_t LeftInGroups(const std::filesystem::path& mount, std::filesystem::path group, const char* limitFile,
                           const char* usageFile) {
  std::uint64_t left = kUnknown;
  for (;;) {
    const std::filesystem::path folder = mount / group.relative_path();
    const std::optional<std::uint64_t> limit = ReadBytes(folder / limitFile);
    if (limit) left = std::min(left, *limit - std::min(*limit, ReadBytes(folder / usageFile).value_or(0)));
    if (!group.has_relative_path()) return left;
    group = group.parent_path();
  }
}

// The memory left in this process's control groups: "0::/path" is cgroup v2, "N:...memory...:/path" v1.
std::uint64_t LeftInControlGroups(const std::filesystem::path& root) {
  std::ifstream cgroups(root / "proc/self/cgroup");
  std::uint64_t left = kUnknown;
  for (std::string line; std::getline(cgroups, line);) {
    const std::size_t first = line.find(':');
    const std::size_t second = line.find(':', first + 1);
    if (first == std::string::npos || second == std::string::npos) continue;
    const std::string controllers = line.substr(first + 1, second - first - 1);
    const std::filesystem::path group = line.substr(second + 1);
    if (line.starts_with("0::")) {
      left = std::min(left, LeftInGroups(root / "sys/fs/cgroup", group, "memory.max", "memory.current"));
    } else if (("," + controllers + ",").find(",memory,") != std::string::npos) {
      left = std::min(
          left, LeftInGroups(root / "sys/fs/cgroup/memory", group, "memory.limit_in_bytes", "memory.usage_in_bytes"));
    }
  }
  return left;
}

}  // namespace

std::uint64_t MemoryLeftUnder(const std::filesystem::path& root) {
  const std::uint64_t left = std::min(MemAvailable(root), LeftInControlGroups(root));
  return left == kUnknown ? 0 : std::max<std::uint64_t>(left, 1);
}

std::uint64_t MemoryLeft() { return MemoryLeftUnder("/"); }

std::filesystem::path SystemTemporaryFolder() {
  const char* folder = std::getenv("TMPDIR");
  return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

}  // namespace zelvane
