#pragma once

#include <chrono>
#include <exception>
#include <functional>
#include <thread>

#include "core/work_progress.h"

namespace zelvane {

// Work that lasts longer than this shows its progress window.
inline constexpr std::chrono::milliseconds kProgressWindowDelay{500};

// Runs work on a thread of its own with shared's progress and stop token, for a window that goes on
// answering meanwhile. What the work throws is kept in thrown; ended() runs on that thread once the work
// ended, to wake the window's loop.
inline std::jthread StartWork(SharedProgress& shared, const std::function<void(WorkProgress&)>& work,
                              std::exception_ptr& thrown, std::function<void()> ended) {
  return std::jthread([&shared, &work, &thrown, ended = std::move(ended)] {
    WorkProgress progress = shared.ForWork();
    try {
      work(progress);
    } catch (...) {
      thrown = std::current_exception();
    }
    ended();
  });
}

}  // namespace zelvane
