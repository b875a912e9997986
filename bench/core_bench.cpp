// Throughput of the hot paths on a synthetic number file held in memory.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/area_table.h"
#include "core/category_lists.h"
#include "core/number_scanner.h"
#include "ops/number_file_writer.h"

namespace {

// About 12 bytes a line: mobiles, some with +86 or 86, landlines and junk, mixed line ends.
std::string MakeNumberText(std::size_t lines) {
  std::mt19937 random(42);
  const char* prefixes[] = {"139", "186", "153", "182", "0755", "+86139", "86138", "95588"};
  std::string text;
  text.reserve(lines * 16);
  for (std::size_t i = 0; i < lines; ++i) {
    text += prefixes[random() % 8];
    for (int digit = 0; digit < 8; ++digit) text.push_back(static_cast<char>('0' + random() % 10));
    text += (i % 3 == 0) ? "\r\n" : (i % 3 == 1 ? "\n" : ",");
  }
  return text;
}

const std::string& Text() {
  static const std::string text = MakeNumberText(1'000'000);
  return text;
}

void BM_ScanNumbers(benchmark::State& state) {
  for (auto _ : state) {
    std::size_t count = 0;
    zelvane::ScanNumbers(Text(), [&count](std::string_view) { ++count; });
    benchmark::DoNotOptimize(count);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Text().size()));
}
BENCHMARK(BM_ScanNumbers)->Unit(benchmark::kMillisecond);

void BM_ScanNormalizeClassify(benchmark::State& state) {
  const auto& table = zelvane::PrefixTable::Original();
  for (auto _ : state) {
    zelvane::CategoryCounts counts{};
    zelvane::ScanNumbers(Text(), [&](std::string_view token) {
      ++counts[zelvane::CategoryIndex(table.Classify(zelvane::NormalizeNumber(token)))];
    });
    benchmark::DoNotOptimize(counts);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Text().size()));
}
BENCHMARK(BM_ScanNormalizeClassify)->Unit(benchmark::kMillisecond);

void BM_AppendToCategoryLists(benchmark::State& state) {
  for (auto _ : state) {
    std::array<zelvane::NumberList, zelvane::kCategoryCount> lists;
    zelvane::ScanNumbers(Text(), [&](std::string_view token) {
      const std::string_view number = zelvane::NormalizeNumber(token);
      lists[zelvane::CategoryIndex(zelvane::PrefixTable::Original().Classify(number))].Append(number);
    });
    benchmark::DoNotOptimize(lists[0].size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Text().size()));
}
BENCHMARK(BM_AppendToCategoryLists)->Unit(benchmark::kMillisecond);

// Home areas of ten million normalised numbers held in one buffer: mobiles of every 7-digit block
// from 130 to 199 in random order (the block table does not fit in the cache) and one in ten a landline.
void BM_LookUpAreas(benchmark::State& state) {
  constexpr std::size_t kNumbers = 10'000'000;
  constexpr std::size_t kLength = 11;
  std::mt19937 random(3);
  std::string text(kNumbers * kLength, '0');
  for (std::size_t i = 0; i < kNumbers; ++i) {
    const std::string number = i % 10 == 0 ? "0" + std::to_string(100 + random() % 900) + std::to_string(1'000'000 + random() % 9'000'000)
                                           : std::to_string(13'000'000'000ULL + random() % 7'000'000'000ULL);
    number.copy(text.data() + i * kLength, kLength);
  }
  const zelvane::AreaTable& table = zelvane::AreaTable::BuiltIn();
  for (auto _ : state) {
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < kNumbers; ++i) sum += table.Lookup(std::string_view(text).substr(i * kLength, kLength));
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kNumbers));
}
BENCHMARK(BM_LookUpAreas)->Unit(benchmark::kMillisecond);

// What the first lookup pays: the built-in table made from its text.
void BM_MakeBuiltInAreaTable(benchmark::State& state) {
  const std::string& text = zelvane::AreaTable::BuiltIn().Text();
  for (auto _ : state) {
    zelvane::AreaTable::ParseError error;
    benchmark::DoNotOptimize(zelvane::AreaTable::Parse(text, error));
  }
}
BENCHMARK(BM_MakeBuiltInAreaTable)->Unit(benchmark::kMillisecond);

// 去除重复号码 on ten million numbers, one in twenty a repeat of an earlier one, from a file as imported.
void BM_WithoutRepeats(benchmark::State& state) {
  const auto path = std::filesystem::temp_directory_path() / "zelvane-bench-repeats.txt";
  {
    std::mt19937 random(7);
    std::string text;
    for (std::uint64_t i = 0; i < 10'000'000; ++i) {
      const std::uint64_t n = random() % 20 == 0 ? random() % (i + 1) : i;
      text += std::to_string(13000000000 + n * 7919 % 6000000000) + "\r\n";
    }
    std::ofstream(path, std::ios::binary) << text;
  }
  zelvane::CategoryLists lists;
  zelvane::NumberFile file;
  if (file.Open(path) || lists.Import(file, zelvane::PrefixTable::Original())) state.SkipWithError("import failed");
  std::filesystem::remove(path);
  std::uint64_t removed = 0;
  for (auto _ : state) benchmark::DoNotOptimize(lists.WithoutRepeats(removed));
  state.counters["removed"] = static_cast<double>(removed);
}
BENCHMARK(BM_WithoutRepeats)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
