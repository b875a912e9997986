#pragma once

#include <optional>
#include <vector>

#include "ui/logic/main_window_layout.h"
#include "ui/logic/settings_store.h"

namespace zelvane {

// The main window's size and place as it was closed: its rectangle when neither maximised nor
// minimised, in the toolkit's own screen coordinates, and whether it was maximised.
struct WindowPlacement {
  PixelRect normal;
  bool maximized = false;
};

void RememberPlacement(SettingsStore& store, const WindowPlacement& placement);

// Where the window opens: the place it was closed in, at least minimum in size and at most the size of
// the screen it is on, when some screen (available area, in the same coordinates) holds its top edge
// enough to grab it; nothing otherwise (the toolkit's own place at the template's size). Maximised
// again when it was closed so.
struct RestoredPlacement {
  std::optional<PixelRect> normal;
  bool maximized = false;
};
RestoredPlacement PlacementToRestore(const SettingsStore& store, int minimumWidth, int minimumHeight,
                                     const std::vector<PixelRect>& screens);

}  // namespace zelvane
