#include "ui/win32/registry_settings_store.h"

#include <cwchar>

#include "ui/win32/wide_text.h"

namespace zelvane::win32 {

std::optional<std::string> RegistrySettingsStore::Text(std::string_view name) const {
  const std::wstring value = Wide(name);
  DWORD bytes = 0;
  if (RegGetValueW(m_root, m_key.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegGetValueW(m_root, m_key.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;  // changed meanwhile: as if never written
  }
  text.resize(std::wcslen(text.c_str()));  // up to the terminating zero, which the buffer has to spare
  return Utf8(text);
}

std::optional<std::int64_t> RegistrySettingsStore::Number(std::string_view name) const {
  std::int64_t number = 0;
  DWORD bytes = sizeof(number);
  if (RegGetValueW(m_root, m_key.c_str(), Wide(name).c_str(), RRF_RT_REG_QWORD, nullptr, &number, &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return number;
}

// A choice that cannot be kept (no rights to the key) is only forgotten: the window works on.
void RegistrySettingsStore::SetText(std::string_view name, std::string_view text) {
  const std::wstring wide = Wide(text);
  RegSetKeyValueW(m_root, m_key.c_str(), Wide(name).c_str(), REG_SZ, wide.c_str(),
                  static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

void RegistrySettingsStore::SetNumber(std::string_view name, std::int64_t number) {
  RegSetKeyValueW(m_root, m_key.c_str(), Wide(name).c_str(), REG_QWORD, &number, sizeof(number));
}

}  // namespace zelvane::win32
