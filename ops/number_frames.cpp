#include "ops/number_frames.h"

#include <algorithm>
#include <bit>

#include "core/short_copy.h"
#include "ops/number_output.h"

namespace zelvane {

namespace {

// Every file that takes numbers has a frame of its own: together at most about 16 MiB however many
// files (a table of 65,535 areas by carrier makes 327,675), or a quarter of memory when that is less.
std::size_t FrameSizeFor(std::size_t files, std::uint64_t memory) {
  const std::uint64_t allFrames = std::min(std::uint64_t{16} << 20, memory / 4);
  return std::clamp<std::size_t>(std::bit_floor(allFrames / std::max<std::size_t>(files, 1)), 64, std::size_t{1} << 20);
}

}  // namespace

NumberFrames::NumberFrames(std::size_t files, std::uint64_t memory, const std::filesystem::path& folder)
    : store_(files, FrameSizeFor(files, memory), memory, folder) {}

void NumberFrames::Add(std::size_t file, std::string_view number, std::string_view separator) {
  // Numbers and separators are short: one record, copied without a library call.
  if (number.size() <= kShortCopyLimit && separator.size() <= kShortCopyLimit &&
      number.size() + separator.size() <= store_.FrameSize()) {
    char* record = store_.Append(file, number.size() + separator.size());
    CopyShort(record, number.data(), number.size());
    CopyShort(record + number.size(), separator.data(), separator.size());
    return;
  }
  store_.AppendBytes(file, number);
  store_.AppendBytes(file, separator);
}

FileResult NumberFrames::WriteTo(std::size_t file, AtomicFileWriter& writer) const {
  return store_.ForEachFrame(file, [&writer](std::string_view bytes) { writer.Write(bytes); });
}

FileResult NumberFrames::WriteInFormat(std::size_t file, NumberFileStyle style, std::string_view separator,
                                       AtomicFileWriter& writer, NumberOutputCounts& written) const {
  if (AsTheyAre(style)) return WriteTo(file, writer);
  NumberOutput output(style, writer, separator);
  if (FileResult error = output.Begin()) return error;
  std::string cut;  // the start of a number that the frame before ended with
  FileResult error = store_.ForEachFrame(file, [&](std::string_view bytes) {
    for (std::size_t end; (end = bytes.find('\n')) != std::string_view::npos; bytes.remove_prefix(end + 1)) {
      if (cut.empty()) {
        output.Add(bytes.substr(0, end));
        continue;
      }
      cut += bytes.substr(0, end);
      output.Add(cut);
      cut.clear();
    }
    cut += bytes;
  });
  if (!error) error = output.End();
  written += output.counts();
  return error;
}

}  // namespace zelvane
