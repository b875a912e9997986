#pragma once

#include <string>

namespace zelvane {

// An entry of a dialog that offers a list to choose one from: its text, and a line shown under the
// list while it is chosen (empty: none). UTF-8.
struct ListEntry {
  std::string text;
  std::string note;
  friend bool operator==(const ListEntry&, const ListEntry&) = default;
};

}  // namespace zelvane
