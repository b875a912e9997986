#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "core/file_error.h"
#include "ops/atomic_file_writer.h"
#include "ops/number_file_format.h"
#include "ops/number_output.h"
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
  // The file's numbers written through writer in style, when each was added with FrameSeparator's
  // separator; written grows by what became of those not written as they are (NumberOutput).
  FileResult WriteInFormat(std::size_t file, NumberFileStyle style, std::string_view separator,
                           AtomicFileWriter& writer, NumberOutputCounts& written) const;

  // What follows each number in the frames of a file in style: the separator of a text file of the
  // numbers as they are; otherwise, where each number is a cell of its own or written in another form, a
  // line break (which no number holds).
  static std::string_view FrameSeparator(NumberFileStyle style, std::string_view separator) {
    return AsTheyAre(style) ? separator : "\n";
  }

 private:
  SpillStore store_;
};

}  // namespace zelvane
