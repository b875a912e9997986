#pragma once

#include <windows.h>

#include <string>

#include "ui/logic/settings_store.h"

namespace zelvane::win32 {

// Where the window keeps its choices: HKEY_CURRENT_USER\Software\Zelvane\Zelvane.
inline constexpr wchar_t kSettingsKey[] = L"Software\\Zelvane\\Zelvane";

// The window's choices in the registry, under a key of root that is made when first written: text as
// REG_SZ (UTF-8 here, wide there), numbers as REG_QWORD.
class RegistrySettingsStore final : public SettingsStore {
 public:
  RegistrySettingsStore(HKEY root, std::wstring key) : m_root(root), m_key(std::move(key)) {}

  std::optional<std::string> Text(std::string_view name) const override;
  std::optional<std::int64_t> Number(std::string_view name) const override;
  void SetText(std::string_view name, std::string_view text) override;
  void SetNumber(std::string_view name, std::int64_t number) override;

 private:
  HKEY m_root;
  std::wstring m_key;
};

}  // namespace zelvane::win32
