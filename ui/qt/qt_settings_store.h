#pragma once

#include <QSettings>

#include "ui/logic/settings_store.h"

namespace zelvane {

// The window's choices where Qt keeps a program's settings: for organisation and application Zelvane,
// ~/.config/Zelvane/Zelvane.conf on Linux ($XDG_CONFIG_HOME when set). Text that is not UTF-8 (a file
// name's own bytes) is kept as bytes, so that it comes back as it was.
class QtSettingsStore final : public SettingsStore {
 public:
  QtSettingsStore();

  std::optional<std::string> Text(std::string_view name) const override;
  std::optional<std::int64_t> Number(std::string_view name) const override;
  void SetText(std::string_view name, std::string_view text) override;
  void SetNumber(std::string_view name, std::int64_t number) override;

 private:
  mutable QSettings m_settings;
};

}  // namespace zelvane
