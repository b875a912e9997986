#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "core/file_error.h"
#include "ops/atomic_file_writer.h"
#include "ops/number_file_format.h"
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
  // The file's numbers written through writer in format, when each was added with FrameSeparator's
  // separator; replaced grows by the numbers written with a "?" (NumberOutput).
  FileResult WriteInFormat(std::size_t file, NumberFileFormat format, std::string_view separator,
                           AtomicFileWriter& writer, std::uint64_t& replaced) const;

  // What follows each number in the frames of a file in format: the separator of a text file; in a
  // table, where each number is a cell of its own, a line break (which no number holds).
  static std::string_view FrameSeparator(NumberFileFormat format, std::string_view separator) {
    return format == NumberFileFormat::Text ? separator : "\n";
  }

 private:
  SpillStore store_;
};

}  // namespace zelvane
