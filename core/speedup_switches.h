#pragma once

namespace zelvane {

// The speed-ups that benchmarks switch off one at a time to measure what each gains, and that tests
// switch off to show the results do not depend on them. The program keeps them all on.
struct SpeedupSwitches {
  bool prepareBlocks = true;     // import: a helper thread faults the lists' memory in ahead of the appends
  bool backgroundWrites = true;  // writes: write and flush on a thread of the file's own while the next buffer fills
  bool lengthClasses = true;     // compare: token lengths grouped into a few classes, each probed once per position
  bool partitioning = true;      // compare: tokens and windows sorted into partitions whose tables stay in the cache
  bool filter = true;            // compare: a small bitmap in front of the classes that hold few tokens
  bool lookAhead = true;         // compare: table slots and bits prefetched a few steps before they are used
};

// The process's switches. Set them before work starts, never while it runs.
SpeedupSwitches& Speedups();

}  // namespace zelvane
