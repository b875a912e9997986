#pragma once

#include <array>
#include <cstddef>
#include <utility>

namespace zelvane {

// Runs each step only once kDistance later steps are queued. What a step reads was prefetched when it
// was queued and has arrived by then, so the cache misses of several steps overlap instead of following
// one another. Disabled, it runs each step at once (for the benchmarks).
template <class Step, class Run>
class LookAhead {
 public:
  LookAhead(bool enabled, Run run) : enabled_(enabled), run_(std::move(run)) {}

  void Push(const Step& step) {
    if (!enabled_) return run_(step);
    Step& waiting = ring_[queued_++ % kDistance];
    if (queued_ > kDistance) run_(waiting);
    waiting = step;
  }

  // Runs the steps still waiting, in order.
  void Drain() {
    for (std::size_t i = queued_ > kDistance ? queued_ - kDistance : 0; i < queued_; ++i) run_(ring_[i % kDistance]);
    queued_ = 0;
  }

 private:
  static constexpr std::size_t kDistance = 8;

  bool enabled_;
  Run run_;
  std::array<Step, kDistance> ring_{};
  std::size_t queued_ = 0;
};

template <class Step, class Run>
LookAhead<Step, Run> MakeLookAhead(bool enabled, Run run) {
  return LookAhead<Step, Run>(enabled, std::move(run));
}

}  // namespace zelvane
