#pragma once

#include "core/speedup_switches.h"

namespace zelvane {

// The process's speed-up switches as given for the scope of a test, all on again after it.
class ScopedSpeedups {
 public:
  explicit ScopedSpeedups(const SpeedupSwitches& switches) { Speedups() = switches; }
  ~ScopedSpeedups() { Speedups() = {}; }
  ScopedSpeedups(const ScopedSpeedups&) = delete;
  ScopedSpeedups& operator=(const ScopedSpeedups&) = delete;
};

}  // namespace zelvane
