#include "ops/memory_budget.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/platform/memory_left_posix.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using test::TemporaryFolder;
using test::WriteFile;

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
const std::string kMemInfo = "MemTotal:       25165824 kB\nMemFree:         1048576 kB\nMemAvailable:    4194304 kB\n";

struct Case {
  const char* name;
  std::map<std::string, std::string> files;  // below the made-up root
  std::uint64_t budget;
};

// clang-format off
const Case kCases[] = {
    {"only /proc/meminfo", {{"proc/meminfo", kMemInfo}}, 3072 * kMiB},
    {"nothing to read", {}, 1024 * kMiB},
    {"v2 group below its limit",
     {{"proc/meminfo", kMemInfo}, {"proc/self/cgroup", "0::/app.slice/run\n"},
      {"sys/fs/cgroup/app.slice/run/memory.max", "1073741824\n"},
      {"sys/fs/cgroup/app.slice/run/memory.current", "268435456\n"}},
     576 * kMiB},
    {"v2 limit on a parent group, none on the own",
     {{"proc/meminfo", kMemInfo}, {"proc/self/cgroup", "0::/app.slice/run\n"},
      {"sys/fs/cgroup/app.slice/run/memory.max", "max\n"},
      {"sys/fs/cgroup/app.slice/memory.max", "536870912\n"},
      {"sys/fs/cgroup/app.slice/memory.current", "134217728\n"}},
     288 * kMiB},
    {"v2 limit above what is available",
     {{"proc/meminfo", kMemInfo}, {"proc/self/cgroup", "0::/run\n"},
      {"sys/fs/cgroup/run/memory.max", "17179869184\n"}, {"sys/fs/cgroup/run/memory.current", "0\n"}},
     3072 * kMiB},
    {"v1 memory controller among others, the group mounted as the root",
     {{"proc/meminfo", kMemInfo},
      {"proc/self/cgroup", "5:cpu,cpuacct:/x\n4:memory:/docker/abc\n0::/\n"},
      {"sys/fs/cgroup/memory/memory.limit_in_bytes", "2147483648\n"},
      {"sys/fs/cgroup/memory/memory.usage_in_bytes", "1073741824\n"}},
     768 * kMiB},
    {"v1 without a limit",
     {{"proc/meminfo", kMemInfo}, {"proc/self/cgroup", "4:memory:/\n"},
      {"sys/fs/cgroup/memory/memory.limit_in_bytes", "9223372036854771712\n"},
      {"sys/fs/cgroup/memory/memory.usage_in_bytes", "1073741824\n"}},
     3072 * kMiB},
    {"a group at its limit",
     {{"proc/meminfo", kMemInfo}, {"proc/self/cgroup", "0::/run\n"},
      {"sys/fs/cgroup/run/memory.max", "268435456\n"}, {"sys/fs/cgroup/run/memory.current", "270000000\n"}},
     16 * kMiB},
};
// clang-format on

TEST(MemoryBudget, TakesTheLowerOfAvailableMemoryAndControlGroupLimits) {
  for (const Case& c : kCases) {
    TemporaryFolder root;
    for (const auto& [path, text] : c.files) {
      std::filesystem::create_directories((root / path).parent_path());
      WriteFile(root / path, text);
    }
    EXPECT_EQ(MemoryBudgetFor(MemoryLeftUnder(root.path())) / kMiB, c.budget / kMiB) << c.name;
  }
}

}  // namespace
}  // namespace zelvane
