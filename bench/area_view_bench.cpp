// What home areas cost the window at ten million numbers, on a file as users bring them (make_compare_data's
// numbers-real-10m.txt is the argument):
//   Import/lists     the lists alone, as before areas (CategoryLists::Import)
//   Import/shown     the window's first step, which also looks every number's area up (ShownNumbers::ImportFile)
//   ChooseArea/...   an area chosen and the list rebuilt for it, every category shown
//   AreaEntries/...  the area choice's entries, nothing chosen or the largest province open
//   AreaMemory       the bytes the areas take beside the lists, per number (glibc's count of the heap)
// Compare the variants interleaved, medians of several runs:
//   area_view_bench --benchmark_enable_random_interleaving=true --benchmark_repetitions=9 FILE

#include <benchmark/benchmark.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <stdexcept>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "ui/logic/number_areas.h"
#include "ui/logic/shown_numbers.h"

namespace {

using zelvane::AreaChoice;

std::filesystem::path g_file;

zelvane::NumberFile Open() {
  zelvane::NumberFile file;
  if (zelvane::FileResult error = file.Open(g_file)) throw std::runtime_error(error->Message());
  return file;
}

// Each run imports into fresh lists; dropping them is not timed.
void ImportLists(benchmark::State& state) {
  for (auto _ : state) {
    auto lists = std::make_unique<zelvane::CategoryLists>();
    zelvane::NumberFile file = Open();
    if (lists->Import(file, zelvane::PrefixTable::Original())) state.SkipWithError("import failed");
    state.PauseTiming();
    state.counters["numbers"] = static_cast<double>(lists->size());
    lists.reset();
    state.ResumeTiming();
  }
}

void ImportShown(benchmark::State& state) {
  for (auto _ : state) {
    auto shown = std::make_unique<zelvane::ShownNumbers>();
    zelvane::NumberFile file = Open();
    if (shown->ImportFile(file, zelvane::PrefixTable::Original(), nullptr)) state.SkipWithError("import failed");
    state.PauseTiming();
    state.counters["numbers"] = static_cast<double>(shown->Lists().size());
    shown.reset();
    state.ResumeTiming();
  }
}

// The file imported once and shown whole, for the benchmarks that choose areas.
zelvane::ShownNumbers& Imported() {
  static const std::unique_ptr<zelvane::ShownNumbers> shown = [] {
    auto numbers = std::make_unique<zelvane::ShownNumbers>();
    zelvane::NumberFile file = Open();
    if (numbers->ImportFile(file, zelvane::PrefixTable::Original(), nullptr)) throw std::runtime_error("import failed");
    numbers->ShowCategories({true, true, true, true, true});
    return numbers;
  }();
  return *shown;
}

// The largest province, and its largest city, as the area choice lists them.
AreaChoice Largest(AreaChoice::Kind kind) {
  if (kind == AreaChoice::Kind::All) return {};
  const AreaChoice province = zelvane::AreaEntries(Imported().Areas(), {})[1].choice;
  return kind == AreaChoice::Kind::Province ? province : zelvane::AreaEntries(Imported().Areas(), province)[2].choice;
}

void ChooseArea(benchmark::State& state, AreaChoice::Kind kind) {
  zelvane::ShownNumbers& shown = Imported();
  const AreaChoice choice = Largest(kind);
  for (auto _ : state) {
    shown.ChooseArea(choice);
    shown.ShowCategories({true, true, true, true, true});
    benchmark::DoNotOptimize(shown.size());
  }
  state.counters["shown"] = static_cast<double>(shown.size());
  shown.ChooseArea({});
}

void Entries(benchmark::State& state, AreaChoice::Kind kind) {
  const AreaChoice choice = Largest(kind);
  std::size_t count = 0;
  for (auto _ : state) {
    count = zelvane::AreaEntries(Imported().Areas(), choice).size();
    benchmark::DoNotOptimize(count);
  }
  state.counters["entries"] = static_cast<double>(count);
}

#if defined(__GLIBC__)
std::size_t HeapBytes() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// The areas of the imported lists made again beside them: what they hold, per number.
void AreaMemory(benchmark::State& state) {
  const zelvane::CategoryLists& lists = Imported().Lists();
  double perNumber = 0;
  for (auto _ : state) {
    const std::size_t before = HeapBytes();
    zelvane::NumberAreas areas(zelvane::AreaTable::BuiltIn());
    areas.Follow(lists);
    perNumber = static_cast<double>(HeapBytes() - before) / static_cast<double>(lists.size());
    benchmark::DoNotOptimize(areas);
  }
  state.counters["bytes_per_number"] = perNumber;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " [--benchmark_...] FILE\n";
    return 2;
  }
  g_file = argv[1];
  zelvane::AreaTable::BuiltIn();  // made once, on first use, whichever benchmark comes first
  benchmark::RegisterBenchmark("Import/lists", ImportLists)->Unit(benchmark::kMillisecond)->Iterations(1);
  benchmark::RegisterBenchmark("Import/shown", ImportShown)->Unit(benchmark::kMillisecond)->Iterations(1);
  for (const auto& [name, kind] :
       {std::pair{"all", AreaChoice::Kind::All}, std::pair{"province", AreaChoice::Kind::Province},
        std::pair{"city", AreaChoice::Kind::Area}}) {
    benchmark::RegisterBenchmark((std::string("ChooseArea/") + name).c_str(), ChooseArea, kind)
        ->Unit(benchmark::kMillisecond);
  }
  for (const auto& [name, kind] :
       {std::pair{"none-chosen", AreaChoice::Kind::All}, std::pair{"province-open", AreaChoice::Kind::Province}}) {
    benchmark::RegisterBenchmark((std::string("AreaEntries/") + name).c_str(), Entries, kind)
        ->Unit(benchmark::kMillisecond);
  }
#if defined(__GLIBC__)
  benchmark::RegisterBenchmark("AreaMemory", AreaMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
#endif
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
