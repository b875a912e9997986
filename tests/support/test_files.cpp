#include "tests/support/test_files.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace zelvane::test {

TemporaryFolder::TemporaryFolder() {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::ostringstream name;
    name << "zelvane-test-" << std::hex << random();
    const std::filesystem::path candidate = std::filesystem::temp_directory_path() / name.str();
    if (std::filesystem::create_directory(candidate)) {
      // Only the owner may enter, as with mkdtemp (on Windows this only makes sure it is writable).
      std::filesystem::permissions(candidate, std::filesystem::perms::owner_all);
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot make a temporary folder");
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + PathInMessage(path));
}

std::vector<std::string> FileNamesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(PathInMessage(entry.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + PathInMessage(path));
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

namespace {

#ifdef _WIN32
constexpr const char* kTemporaryVariables[] = {"TMP", "TEMP"};
std::optional<std::wstring> Variable(const char* name) {
  const wchar_t* value = _wgetenv(std::filesystem::path(name).c_str());
  return value ? std::optional<std::wstring>(value) : std::nullopt;
}
void SetVariable(const char* name, const std::optional<std::wstring>& value) {
  _wputenv_s(std::filesystem::path(name).c_str(), value ? value->c_str() : L"");
}
#else
constexpr const char* kTemporaryVariables[] = {"TMPDIR"};
std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::optional<std::string>(value) : std::nullopt;
}
void SetVariable(const char* name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
}
#endif

}  // namespace

TemporaryFilesIn::TemporaryFilesIn(const std::filesystem::path& folder) {
  for (const char* name : kTemporaryVariables) {
    old_.emplace_back(name, Variable(name));
    SetVariable(name, folder.native());
  }
}

TemporaryFilesIn::~TemporaryFilesIn() {
  for (const auto& [name, value] : old_) SetVariable(name.c_str(), value);
}

}  // namespace zelvane::test
