// One run of one command with some speed-ups switched off, in a process of its own, so that the first
// use of fresh memory is in it as in the program; prints the time. bench/speedups_bench.sh runs the
// switches interleaved and takes medians.
//   zelvane_speedup_bench import FILE [no-prepared-blocks]
//   zelvane_speedup_bench classify FILE FOLDER [no-background-writes]

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "core/speedup_switches.h"
#include "ops/classify_files.h"
#include "ui/qt/number_list_model.h"

namespace {

bool Has(int argc, char** argv, std::string_view word) {
  for (int i = 1; i < argc; ++i) {
    if (argv[i] == word) return true;
  }
  return false;
}

template <class Work>
double TimeMs(Work&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: %s import FILE [no-prepared-blocks]\n"
                 "       %s classify FILE FOLDER [no-background-writes]\n",
                 argv[0], argv[0]);
    return 2;
  }
  const std::string_view command = argv[1];
  zelvane::FileResult error;
  std::uint64_t numbers = 0;
  double ms = 0;
  if (command == "import") {
    zelvane::Speedups().prepareBlocks = !Has(argc, argv, "no-prepared-blocks");
    zelvane::NumberListModel model;
    zelvane::NumberFile file;
    ms = TimeMs([&] {
      error = file.Open(argv[2]);
      if (!error) error = model.ImportFile(file, zelvane::PrefixTable::Original(), nullptr);
      if (!error) model.ShowImported(model.MergedView(model.Refs(), {}, {true, true, true, true, true}));
    });
    numbers = model.size();
  } else if (command == "classify" && argc >= 4) {
    zelvane::Speedups().backgroundWrites = !Has(argc, argv, "no-background-writes");
    const zelvane::ClassifyJob job{{argv[2]}, argv[3], "\r\n"};
    zelvane::CategoryCounts counts{};
    ms = TimeMs([&] { error = zelvane::ClassifyFiles(job, counts); });
    for (std::uint64_t count : counts) numbers += count;
  } else {
    std::fprintf(stderr, "unknown command %s\n", argv[1]);
    return 2;
  }
  if (error) {
    std::fprintf(stderr, "%s\n", error->Message().c_str());
    return 1;
  }
  std::printf("%.1f ms %llu numbers\n", ms, static_cast<unsigned long long>(numbers));
  return 0;
}
