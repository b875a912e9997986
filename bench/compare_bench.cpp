// The comparison in memory, on the files that make_compare_data writes (their folder is the argument),
// and the naive search it replaces. Usage: zelvane_compare_bench [--benchmark_...] FOLDER

#include <benchmark/benchmark.h>

#include <filesystem>
#include <iostream>
#include <random>
#include <string>

#include "core/number_file_reader.h"
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

void RegisterComparison(const std::string& name, std::string scanned, std::string searched, ComparisonMode mode,
                        decltype(&zelvane::CompareNumberFiles) compare) {
  benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
    std::size_t listed = 0;
    for (auto _ : state) {
      listed = compare(scanned, searched, mode).size();
      benchmark::DoNotOptimize(listed);
    }
    state.counters["listed"] = static_cast<double>(listed);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * (scanned.size() + searched.size())));
  })->Unit(benchmark::kMillisecond);
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
  const std::string whitelist = Load(folder / "whitelist-1m.txt");
  const std::string whitelist100k = Load(folder / "whitelist-100k.txt");
  const auto [longScanned, longSearched] = EveryLengthInLongRuns(1'000'000);

  RegisterComparison("Compare/same/1m-vs-1m", numbers, whitelist, ComparisonMode::FindSame,
                     zelvane::CompareNumberFiles);
  RegisterComparison("Compare/different/1m-vs-1m", numbers, whitelist, ComparisonMode::FindDifferent,
                     zelvane::CompareNumberFiles);
  RegisterComparison("Compare/different/1m-vs-100k", numbers, whitelist100k, ComparisonMode::FindDifferent,
                     zelvane::CompareNumberFiles);
  RegisterComparison("Compare/different/every-length-1mb", longScanned, longSearched, ComparisonMode::FindDifferent,
                     zelvane::CompareNumberFiles);
  RegisterComparison("CompareNaively/different/10k-vs-10k", Load(folder / "numbers-10k.txt"),
                     Load(folder / "whitelist-10k.txt"), ComparisonMode::FindDifferent,
                     zelvane::test::CompareNumberFilesNaively);

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
