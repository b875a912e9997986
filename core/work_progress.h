#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <stop_token>
#include <utility>

#include "core/file_error.h"

namespace zelvane {

// Long work that a person may watch and stop, whatever shows it (a window, a terminal line). The work
// calls Advance as it reads or writes and, once StopRequested, ends as soon as it can and changes
// nothing. The listener gets (done, total) on the working thread, at most once every kReportStep units
// and once more when the total changes; total is 0 while it is unknown.
class WorkProgress {
 public:
  using Listener = std::function<void(std::uint64_t done, std::uint64_t total)>;
  static constexpr std::uint64_t kReportStep = std::uint64_t{4} << 20;

  WorkProgress() = default;
  WorkProgress(std::stop_token stop, Listener listener) : stop_(std::move(stop)), listener_(std::move(listener)) {}

  bool StopRequested() const { return stop_.stop_requested(); }
  std::stop_token StopToken() const { return stop_; }

  std::uint64_t Done() const { return done_; }
  std::uint64_t Total() const { return total_; }

  void SetTotal(std::uint64_t total) {
    total_ = total;
    Report();
  }

  void Advance(std::uint64_t units) {
    done_ += units;
    if (done_ - reported_ >= kReportStep) Report();
  }

 private:
  void Report() {
    reported_ = done_;
    if (listener_) listener_(done_, total_);
  }

  std::stop_token stop_;
  Listener listener_;
  std::uint64_t done_ = 0;
  std::uint64_t total_ = 0;
  std::uint64_t reported_ = 0;
};

// done of total in parts of whole (1000 for thousandths), done beyond total counting as total; 0
// while the total is unknown.
std::uint64_t ShareOf(std::uint64_t done, std::uint64_t total, std::uint64_t whole);

// What a read or write returns when it stopped because it was asked to: not a failure to tell anyone of.
FileError CancelledError(FileOperation operation, const std::filesystem::path& path);

inline bool WasCancelled(const FileResult& result) { return result && result->cancelled; }

// The progress of work on one thread as another thread sees it: the working thread's reports land here,
// and the watching thread reads them whenever it likes and may ask the work to stop.
class SharedProgress {
 public:
  // For the working thread: stops when RequestStop was called, reports land here.
  WorkProgress ForWork() {
    return WorkProgress(stop_.get_token(), [this](std::uint64_t done, std::uint64_t total) {
      total_.store(total, std::memory_order_relaxed);
      done_.store(done, std::memory_order_relaxed);
    });
  }

  void RequestStop() { stop_.request_stop(); }
  bool StopRequested() const { return stop_.stop_requested(); }

  // How far the work is, in thousandths of its total; 0 while the total is unknown.
  int Permille() const;

 private:
  std::stop_source stop_;
  std::atomic<std::uint64_t> done_{0};
  std::atomic<std::uint64_t> total_{0};
};

}  // namespace zelvane
