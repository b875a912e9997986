#include "ui/logic/window_placement.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace zelvane {

namespace {

constexpr std::string_view kLeft = "windowLeft";
constexpr std::string_view kTop = "windowTop";
constexpr std::string_view kWidth = "windowWidth";
constexpr std::string_view kHeight = "windowHeight";
constexpr std::string_view kMaximized = "windowMaximized";

// Of the window's top edge, a screen must show this much for the window to be grabbed and moved.
constexpr int kGripWidth = 100;
constexpr int kGripHeight = 30;
// Larger values are no place on any screen there is.
constexpr std::int64_t kFarthest = 1'000'000;

bool ShowsTopEdge(const PixelRect& screen, const PixelRect& window) {
  const int overlap =
      std::min(window.left + window.width, screen.left + screen.width) - std::max(window.left, screen.left);
  return overlap >= std::min(kGripWidth, window.width) && window.top >= screen.top &&
         window.top + kGripHeight <= screen.top + screen.height;
}

}  // namespace

void RememberPlacement(SettingsStore& store, const WindowPlacement& placement) {
  store.SetNumber(kLeft, placement.normal.left);
  store.SetNumber(kTop, placement.normal.top);
  store.SetNumber(kWidth, placement.normal.width);
  store.SetNumber(kHeight, placement.normal.height);
  store.SetNumber(kMaximized, placement.maximized ? 1 : 0);
}

RestoredPlacement PlacementToRestore(const SettingsStore& store, int minimumWidth, int minimumHeight,
                                     const std::vector<PixelRect>& screens) {
  RestoredPlacement restored;
  restored.maximized = store.Number(kMaximized) == 1;
  const std::optional<std::int64_t> values[] = {store.Number(kLeft), store.Number(kTop), store.Number(kWidth),
                                                store.Number(kHeight)};
  for (const std::optional<std::int64_t>& value : values) {
    if (!value || *value < -kFarthest || *value > kFarthest) return restored;
  }
  if (*values[2] <= 0 || *values[3] <= 0) return restored;
  PixelRect window{static_cast<int>(*values[0]), static_cast<int>(*values[1]),
                   std::max(static_cast<int>(*values[2]), minimumWidth),
                   std::max(static_cast<int>(*values[3]), minimumHeight)};
  const auto screen =
      std::find_if(screens.begin(), screens.end(), [&](const PixelRect& each) { return ShowsTopEdge(each, window); });
  if (screen == screens.end()) return restored;
  // A screen made smaller since: the window fits it again, never below its minimum.
  window.width = std::max(std::min(window.width, screen->width), minimumWidth);
  window.height = std::max(std::min(window.height, screen->height), minimumHeight);
  restored.normal = window;
  return restored;
}

}  // namespace zelvane
