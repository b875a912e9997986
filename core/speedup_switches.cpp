#include "core/speedup_switches.h"

namespace zelvane {

SpeedupSwitches& Speedups() {
  static SpeedupSwitches switches;
  return switches;
}

}  // namespace zelvane
