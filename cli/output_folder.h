#pragma once

#include <filesystem>
#include <vector>

#include "core/file_error.h"

namespace zelvane::cli {

// The folder a command writes into, made with any missing parents; the folders it made go again
// unless Keep is called, so that a failed command leaves no empty folder behind.
class OutputFolder {
 public:
  OutputFolder() = default;
  ~OutputFolder();
  OutputFolder(const OutputFolder&) = delete;
  OutputFolder& operator=(const OutputFolder&) = delete;

  FileResult Make(const std::filesystem::path& folder);
  void Keep() { made_.clear(); }

 private:
  std::vector<std::filesystem::path> made_;  // outermost first
};

}  // namespace zelvane::cli
