#pragma once

#include <span>
#include <string_view>

// A dialog described as data: its caption, size and controls, measured in dialog units
// (a quarter of the dialog font's average character width across, an eighth of its height down).

namespace zelvane::res {

enum class ControlKind {
  PushButton,         // an ordinary button: never the default
  DefaultPushButton,  // the button that Enter presses
  CheckBox,           // toggles on a click, then notifies
  Edit,               // a single-line edit with a border that scrolls its text sideways
  ReadOnlyEdit,       // the same, showing text that the user cannot change
  Text,               // left-aligned static text
  Icon,               // the icon named by ControlTemplate::icon, at its own size
  NumberList,         // the number list view
  OverviewPane,       // the prefix table choice and the chart of the categories
  ListBox,            // a list of lines with a border, one of them chosen
};

struct DialogRect {
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
};

struct ControlTemplate {
  int id = 0;
  ControlKind kind = ControlKind::Text;
  std::string_view text;  // UTF-8
  DialogRect rect;
  int icon = 0;  // the icon resource of an Icon control
};

struct DialogTemplate {
  int id = 0;
  std::string_view caption;  // UTF-8
  int cx = 0;
  int cy = 0;
  bool minimizeMaximizeBoxes = false;
  std::span<const ControlTemplate> controls;  // in tab order
};

}  // namespace zelvane::res
