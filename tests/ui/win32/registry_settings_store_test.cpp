// The Windows window's choices in the registry, under a key of the test's own that is removed after
// it: never the user's HKCU\Software\Zelvane\Zelvane.

#include "ui/win32/registry_settings_store.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "tests/support/test_files.h"
#include "ui/logic/remembered_choices.h"

namespace zelvane::win32 {
namespace {

// A key under HKCU\Software\Zelvane Tests named for this process, gone before and after, and the parent
// with it once no other run's key is left in it.
class TemporaryKey {
 public:
  TemporaryKey() : m_name(L"Software\\Zelvane Tests\\" + std::to_wstring(GetCurrentProcessId())) { Remove(); }
  ~TemporaryKey() { Remove(); }
  TemporaryKey(const TemporaryKey&) = delete;
  TemporaryKey& operator=(const TemporaryKey&) = delete;

  const std::wstring& Name() const { return m_name; }
  bool Exists() const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, m_name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

 private:
  void Remove() const {
    RegDeleteTreeW(HKEY_CURRENT_USER, m_name.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Zelvane Tests");  // fails while it still holds a key
  }

  std::wstring m_name;
};

// Text comes back as it was written, from a new store over the same key; numbers at their limits; a
// value of the other kind, or never written, is nothing. The key is made when first written.
TEST(RegistrySettingsStoreTest, KeepsTextAndNumbersUnderItsKey) {
  const TemporaryKey key;
  const std::string texts[] = {
      "", ",", "\t", " 前后有空格 ", "，", "\r\n", "D:\\号码 文件\\白名单.txt", "😀", std::string(5000, 'x')};
  const std::int64_t numbers[] = {0, -1, 1, INT_MAX, static_cast<std::int64_t>(INT_MAX) + 1, INT64_MIN, INT64_MAX};
  {
    RegistrySettingsStore store(HKEY_CURRENT_USER, key.Name());
    EXPECT_EQ(store.Text("never written"), std::nullopt);
    EXPECT_FALSE(key.Exists());
    for (std::size_t i = 0; i < std::size(texts); ++i) store.SetText("text" + std::to_string(i), texts[i]);
    for (std::size_t i = 0; i < std::size(numbers); ++i) store.SetNumber("number" + std::to_string(i), numbers[i]);
  }
  EXPECT_TRUE(key.Exists());
  const RegistrySettingsStore store(HKEY_CURRENT_USER, key.Name());
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    EXPECT_EQ(store.Text("text" + std::to_string(i)), texts[i]) << i;
  }
  for (std::size_t i = 0; i < std::size(numbers); ++i) {
    EXPECT_EQ(store.Number("number" + std::to_string(i)), numbers[i]) << i;
  }
  EXPECT_EQ(store.Number("text1"), std::nullopt);
  EXPECT_EQ(store.Text("number1"), std::nullopt);
  EXPECT_EQ(store.Number("never written"), std::nullopt);
}

// What the window remembers comes back through the registry as it does through any store: a file
// name with Chinese and a space, the prompts' folder, the separator.
TEST(RegistrySettingsStoreTest, ASecondStartReadsWhatTheFirstLeft) {
  const TemporaryKey key;
  const test::TemporaryFolder folder;
  const std::filesystem::path table = folder / "号段 表.txt";
  test::WriteFile(table, "139\t联通\n");
  {
    RegistrySettingsStore store(HKEY_CURRENT_USER, key.Name());
    RememberedChoices first(store);
    first.SetPrefixTable(RememberedChoices::PrefixTableKind::File, table);
    first.SetPromptFolder(table, false);
    first.SetSeparator("，");
  }
  RegistrySettingsStore store(HKEY_CURRENT_USER, key.Name());
  const RememberedChoices second(store);
  EXPECT_EQ(second.PrefixTable().kind, RememberedChoices::PrefixTableKind::File);
  EXPECT_EQ(second.PrefixTable().file, table);
  EXPECT_EQ(second.PromptFolder(), folder.path());
  EXPECT_EQ(second.Separator(), "，");
}

}  // namespace
}  // namespace zelvane::win32
