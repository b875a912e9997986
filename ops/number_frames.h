#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

#include "core/file_error.h"
#include "ops/atomic_file_writer.h"
#include "ops/spill_store.h"

namespace zelvane {

// Numbers waiting for their file, each followed by the separator, in a frame per file (past the memory
// allowed, in a nameless file in folder): written out a file at a time, they go to disk in long runs.
// classify --by and 按地区导出 keep hundreds of files' numbers this way.
class NumberFrames {
 public:
  NumberFrames(std::size_t files, std::uint64_t memory, const std::filesystem::path& folder);

  void Add(std::size_t file, std::string_view number, std::string_view separator);
  // The file's bytes, in the order they were added, written through writer.
  FileResult WriteTo(std::size_t file, AtomicFileWriter& writer) const;
  // The file's numbers one by one, when each was added with the separator "\n" (which no number holds).
  FileResult ForEachNumber(std::size_t file, const std::function<void(std::string_view)>& receive) const;

 private:
  SpillStore store_;
};

}  // namespace zelvane
