// Writing a million numbers to a workbook: Zelvane's WriteNumberFile against the shortest libxlsxwriter
// program that writes the same cells (the header 号码 and each number a text cell, rows streamed out as
// they come). Run with --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true.

#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ops/number_file_writer.h"

namespace zelvane {
namespace {

constexpr int kNumbers = 1000000;

const std::vector<std::string>& Numbers() {
  static const std::vector<std::string> numbers = [] {
    std::vector<std::string> made;
    made.reserve(kNumbers);
    for (long long i = 0; i < kNumbers; ++i) made.push_back(std::to_string(13000000000LL + i * 7919 % 900000000));
    return made;
  }();
  return numbers;
}

std::filesystem::path Target(const char* name) { return std::filesystem::temp_directory_path() / name; }

void BM_ZelvaneWorkbook(benchmark::State& state) {
  const std::filesystem::path target = Target("zelvane-bench.xlsx");
  for (auto _ : state) {
    if (WriteNumberFile(target, Numbers(), "\r\n", nullptr, NumberFileFormat::Xlsx)) state.SkipWithError("failed");
  }
  std::filesystem::remove(target);
}

void BM_PlainLibxlsxwriter(benchmark::State& state) {
  const std::string target = Target("plain-bench.xlsx").string();
  for (auto _ : state) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(target.c_str(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    worksheet_write_string(sheet, 0, 0, "号码", nullptr);
    for (int i = 0; i < kNumbers; ++i) worksheet_write_string(sheet, i + 1, 0, Numbers()[i].c_str(), nullptr);
    if (workbook_close(workbook) != LXW_NO_ERROR) state.SkipWithError("failed");
  }
  std::filesystem::remove(target);
}

BENCHMARK(BM_ZelvaneWorkbook)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainLibxlsxwriter)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace zelvane
