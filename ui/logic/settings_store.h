#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelvane {

// A few named values kept between starts, the platform's way: Qt's settings on Linux, the registry on
// Windows, memory in tests. Names are short ASCII words; text is UTF-8, but a Linux file name may be
// any bytes and comes back as it was written. What is kept and how it is read back is decided by
// RememberedChoices and WindowPlacement, never by a store.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The value of that name; nothing when it was never written or is not of that kind.
  virtual std::optional<std::string> Text(std::string_view name) const = 0;
  virtual std::optional<std::int64_t> Number(std::string_view name) const = 0;
  virtual void SetText(std::string_view name, std::string_view text) = 0;
  virtual void SetNumber(std::string_view name, std::int64_t number) = 0;
};

}  // namespace zelvane
