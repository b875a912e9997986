#pragma once

namespace zelvane {

// Switches for the benchmarks, which measure what each speed-up gains; the program keeps them on.
struct CompareSpeedups {
  bool lengthClasses = true;  // token lengths grouped into a few classes, each probed once per position
  bool partitioning = true;   // tokens and windows sorted into partitions whose tables stay in the cache
  bool filter = true;         // a small bitmap in front of the classes that hold few tokens
  bool lookAhead = true;      // table slots and bits prefetched a few steps before they are used
};

}  // namespace zelvane
