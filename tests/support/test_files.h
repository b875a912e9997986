#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_error.h"

namespace zelvane::test {

// Names in UTF-8, as the tests write them, on every system (a plain char string is not UTF-8 to
// std::filesystem on Windows): the program's own conversions.
using zelvane::PathFromText;
using zelvane::PathInMessage;

// A fresh folder, removed with everything in it when the object goes.
class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / PathFromText(name); }

 private:
  std::filesystem::path path_;
};

void WriteFile(const std::filesystem::path& path, std::string_view bytes);

// The names of the entries of folder, sorted.
std::vector<std::string> FileNamesIn(const std::filesystem::path& folder);
std::string ReadFile(const std::filesystem::path& path);

// The system's temporary files (TMPDIR, on Windows TMP and TEMP) in folder while it lives, for this
// process and the programs it starts.
class TemporaryFilesIn {
 public:
  explicit TemporaryFilesIn(const std::filesystem::path& folder);
  ~TemporaryFilesIn();
  TemporaryFilesIn(const TemporaryFilesIn&) = delete;
  TemporaryFilesIn& operator=(const TemporaryFilesIn&) = delete;

 private:
  std::vector<std::pair<std::string, std::optional<std::filesystem::path::string_type>>> old_;
};

#ifndef _WIN32
// A small tmpfs mounted for the test (for a full disk or a read-only folder); needs root.
class SmallFileSystem {
 public:
  SmallFileSystem(const std::filesystem::path& where, std::size_t bytes, bool readOnly = false);
  ~SmallFileSystem();
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;

  bool mounted() const { return mounted_; }
  void Remount(bool readOnly);

 private:
  std::filesystem::path where_;
  std::size_t bytes_;
  bool mounted_ = false;
};
#endif

}  // namespace zelvane::test
