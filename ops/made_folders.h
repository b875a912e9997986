#pragma once

#include <filesystem>
#include <vector>

#include "core/file_error.h"

namespace zelvane {

// Folders made for files about to be written, with any missing parents; unless Keep is called, the ones
// made go again (while empty), so that a failed write leaves no empty folder behind.
class MadeFolders {
 public:
  MadeFolders() = default;
  ~MadeFolders();
  MadeFolders(const MadeFolders&) = delete;
  MadeFolders& operator=(const MadeFolders&) = delete;

  FileResult Make(const std::filesystem::path& folder);
  void Keep() { made_.clear(); }

 private:
  std::vector<std::filesystem::path> made_;  // outermost first
};

}  // namespace zelvane
