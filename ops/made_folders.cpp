#include "ops/made_folders.h"

#include <cerrno>
#include <system_error>

namespace zelvane {

MadeFolders::~MadeFolders() {
  for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
    std::error_code ignored;
    std::filesystem::remove(*it, ignored);  // only while empty
  }
}

FileResult MadeFolders::Make(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> missing;
  std::error_code error;
  for (std::filesystem::path at = folder; !at.empty() && !std::filesystem::exists(at, error); at = at.parent_path()) {
    missing.insert(missing.begin(), at);
    if (at == at.parent_path()) break;
  }
  for (const std::filesystem::path& at : missing) {
    if (!std::filesystem::create_directory(at, error) && error) {
      return MakeFileError(FileOperation::Write, folder, error.value());
    }
    made_.push_back(at);
  }
  if (!std::filesystem::is_directory(folder, error)) return MakeFileError(FileOperation::Write, folder, ENOTDIR);
  return std::nullopt;
}

}  // namespace zelvane
