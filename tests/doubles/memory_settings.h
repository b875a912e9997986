#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>

#include "ui/logic/settings_store.h"

namespace zelvane::test {

// A settings store in memory: what one start of a window leaves for the next in a test, never the
// user's own.
class MemorySettings final : public SettingsStore {
 public:
  std::map<std::string, std::variant<std::string, std::int64_t>, std::less<>> values;

  std::optional<std::string> Text(std::string_view name) const override { return Get<std::string>(name); }
  std::optional<std::int64_t> Number(std::string_view name) const override { return Get<std::int64_t>(name); }
  void SetText(std::string_view name, std::string_view text) override { values[std::string(name)] = std::string(text); }
  void SetNumber(std::string_view name, std::int64_t number) override { values[std::string(name)] = number; }

 private:
  template <class Kind>
  std::optional<Kind> Get(std::string_view name) const {
    const auto found = values.find(name);
    if (found == values.end() || !std::holds_alternative<Kind>(found->second)) return std::nullopt;
    return std::get<Kind>(found->second);
  }
};

}  // namespace zelvane::test
