// What watching long work costs: classify and the window's import of one number file, each with a
// live stop token and a listener (as the window and the terminal have them) and without, interleaved
// run by run. Usage: progress_bench FILE [RUNS] (make FILE with make_number_file 10000000 FILE).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "core/category_lists.h"
#include "ops/classify_files.h"

namespace {

using zelvane::WorkProgress;

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

template <class Work>
double Seconds(Work&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs once, watched or not; false when it failed.
bool Classify(const std::filesystem::path& file, const std::filesystem::path& out, WorkProgress* progress) {
  zelvane::ClassifyJob job{{file}, out, "\r\n"};
  job.progress = progress;
  zelvane::CategoryCounts counts{};
  return !zelvane::ClassifyFiles(job, counts);
}

bool Import(const std::filesystem::path& file, WorkProgress* progress) {
  zelvane::NumberFile opened;
  zelvane::CategoryLists lists;
  std::mutex readers;
  return !opened.Open(file) && !lists.Import(opened, zelvane::PrefixTable::Original(), progress, &readers);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE [RUNS]\n", argv[0]);
    return 2;
  }
  const std::filesystem::path file = argv[1];
  const int runs = argc > 2 ? std::atoi(argv[2]) : 11;
  const std::filesystem::path out = std::filesystem::temp_directory_path() / "progress_bench_out";
  std::filesystem::create_directories(out);

  zelvane::SharedProgress shared;  // what the window's worker reports to
  std::vector<double> times[4];
  for (int run = 0; run < runs; ++run) {
    // Alternating which goes first, so that neither always meets a warmer cache.
    for (int order = 0; order < 2; ++order) {
      const bool watched = (run + order) % 2 == 0;
      WorkProgress progress = shared.ForWork();
      WorkProgress* watching = watched ? &progress : nullptr;
      bool ok = true;
      times[watched ? 1 : 0].push_back(Seconds([&] { ok &= Classify(file, out, watching); }));
      times[watched ? 3 : 2].push_back(Seconds([&] { ok &= Import(file, watching); }));
      if (!ok) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
      }
    }
  }
  std::filesystem::remove_all(out);
  const char* names[] = {"classify", "import"};
  for (int i = 0; i < 2; ++i) {
    const double plain = Median(times[2 * i]);
    const double watched = Median(times[2 * i + 1]);
    std::printf("%-8s  without %.3f s  with %.3f s  ratio %.3f  (medians of %d)\n", names[i], plain, watched,
                watched / plain, runs);
  }
  return 0;
}
