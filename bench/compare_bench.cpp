// The comparison in memory on the files that make_compare_data writes (their folder is the argument),
// with each speed-up switched off in turn, and the naive search it replaces. The 10M set is used when
// it is there. Variants of one case are compared in one run, interleaved:
//   zelvane_compare_bench --benchmark_enable_random_interleaving=true --benchmark_repetitions=7 FOLDER

#include <benchmark/benchmark.h>

#include <filesystem>
#include <iostream>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <utility>

#include "core/number_file_reader.h"
#include "core/speedup_switches.h"
#include "ops/number_comparison.h"
#include "tests/support/naive_comparison.h"

namespace {

using zelvane::ComparisonMode;

std::string Load(const std::filesystem::path& path) {
  zelvane::NumberFile file;
  std::string text;
  zelvane::FileResult error = file.Open(path);
  if (!error) error = zelvane::LoadNumberFile(file, text);
  if (error) throw std::runtime_error(error->Message());
  return text;
}

// The hardest shape for the index: tokens of every length from 1 to 30, searched for in runs longer
// than 30 bytes, so that every searched byte starts a window of each length.
std::pair<std::string, std::string> EveryLengthInLongRuns(std::size_t bytes) {
  std::mt19937 random(7);
  std::string scanned;
  while (scanned.size() < bytes) {
    const std::size_t length = 4 + random() % 27;
    const std::size_t zeroAt = random() % 8 == 0 ? 1 + random() % 3 : length;  // text of 1 to 3 bytes
    for (std::size_t i = 0; i < length; ++i)
      scanned.push_back(i == zeroAt ? '\0' : static_cast<char>('0' + random() % 10));
    scanned += "\r\n";
  }
  std::string searched;
  while (searched.size() < bytes) {
    for (int i = 0; i < 100; ++i) searched.push_back(static_cast<char>('0' + random() % 10));
    searched.push_back('\n');
  }
  return {scanned, searched};
}

struct Variant {
  const char* name;
  zelvane::SpeedupSwitches speedups;
};

// clang-format off
const Variant kVariants[] = {
    {"all", {}},
    {"no-classes", {.lengthClasses = false}},
    {"no-partitions", {.partitioning = false}},
    {"no-filter", {.filter = false}},
    {"no-look-ahead", {.lookAhead = false}},
};
// clang-format on

// Find different on two texts, the larger one scanned, in each variant.
void RegisterComparisons(const std::string& name, std::string first, std::string second) {
  if (second.size() > first.size()) std::swap(first, second);
  const auto texts = std::make_shared<const std::pair<std::string, std::string>>(std::move(first), std::move(second));
  for (const Variant& variant : kVariants) {
    zelvane::ComparisonSettings settings;
    settings.mode = ComparisonMode::FindDifferent;
    settings.memoryBudget = std::numeric_limits<std::uint64_t>::max();
    benchmark::RegisterBenchmark(("Compare/" + name + "/" + variant.name).c_str(), [=](benchmark::State& state) {
      zelvane::Speedups() = variant.speedups;
      const auto& [scanned, searched] = *texts;
      std::size_t listed = 0;
      for (auto _ : state) {
        listed = 0;
        const zelvane::FileResult error =
            zelvane::CompareTexts(scanned, searched, settings, [&listed](std::string_view) { ++listed; });
        if (error) state.SkipWithError(error->Message().c_str());
      }
      state.counters["listed"] = static_cast<double>(listed);
      state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * (scanned.size() + searched.size())));
    })->Unit(benchmark::kMillisecond);
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " [--benchmark_...] FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const std::string numbers = Load(folder / "numbers-1m.txt");
  RegisterComparisons("1m-vs-1m", numbers, Load(folder / "whitelist-1m.txt"));
  RegisterComparisons("1m-vs-junk-1m", numbers, Load(folder / "whitelist-junk-1m.txt"));
  RegisterComparisons("real-1m-vs-1m", Load(folder / "numbers-real-1m.txt"), Load(folder / "whitelist-1m.txt"));
  RegisterComparisons("1m-vs-real-1m", numbers, Load(folder / "whitelist-real-1m.txt"));
  const auto [longScanned, longSearched] = EveryLengthInLongRuns(1'000'000);
  RegisterComparisons("every-length-1mb", longScanned, longSearched);
  if (std::filesystem::exists(folder / "numbers-10m.txt")) {
    const std::string numbers10m = Load(folder / "numbers-10m.txt");
    RegisterComparisons("10m-vs-10m", numbers10m, Load(folder / "whitelist-10m.txt"));
    RegisterComparisons("real-10m-vs-10m", Load(folder / "numbers-real-10m.txt"), Load(folder / "whitelist-10m.txt"));
    RegisterComparisons("10m-vs-real-10m", numbers10m, Load(folder / "whitelist-real-10m.txt"));
  }
  benchmark::RegisterBenchmark("CompareNaively/different/10k-vs-10k", [&](benchmark::State& state) {
    const std::string scanned = Load(folder / "numbers-10k.txt");
    const std::string searched = Load(folder / "whitelist-10k.txt");
    std::size_t listed = 0;
    for (auto _ : state) {
      listed = zelvane::test::CompareNumberFilesNaively(scanned, searched, ComparisonMode::FindDifferent).size();
      benchmark::DoNotOptimize(listed);
    }
    state.counters["listed"] = static_cast<double>(listed);
  })->Unit(benchmark::kMillisecond);

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
