#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "core/file_error.h"
#include "core/number_file_reader.h"
#include "core/work_progress.h"
#include "ops/number_input.h"
#include "ops/spill_store.h"

namespace zelvane {

// The text of one of the files compared, read from the start as often as the comparison needs: a
// regular file is read again, a stream is kept when it is opened, in memory up to an allowance and in
// a temporary file beyond it. Its size is its size on disk, or the text read from the stream.
class TextSource {
 public:
  // Text already in memory, which must outlive the source.
  explicit TextSource(std::string_view text) : text_(text), size_(text.size()) {}

  // Opens path (or standard input, "-", where kinds allows streams); a stream is read to its end here,
  // and so are the numbers read out of a workbook, a CSV file or text (reading says which), its size
  // then being theirs.
  static FileResult Open(const std::filesystem::path& path, InputKinds kinds, std::uint64_t memoryAllowance,
                         const std::filesystem::path& temporaryFolder, std::optional<TextSource>& source,
                         const InputReading& reading = {});

  // An empty text, named path, kept as a stream is; Append fills it.
  static TextSource Kept(const std::filesystem::path& path, std::uint64_t memoryAllowance,
                         const std::filesystem::path& temporaryFolder);
  // Adds bytes at the end of a kept text.
  void Append(std::string_view bytes) {
    kept_->AppendBytes(0, bytes);
    size_ += bytes.size();
  }
  // Room for size bytes (a line of at most 64) at the end of a kept text, to be written at once.
  char* AppendRoom(std::size_t size) {
    size_ += size;
    return kept_->Append(0, size);
  }

  const std::filesystem::path& path() const { return path_; }
  std::uint64_t Size() const { return size_; }
  // Memory that a kept stream holds.
  std::uint64_t BytesHeld() const { return kept_ ? kept_->BytesHeld() : 0; }

  // Hands the whole text over in pieces, from the start.
  FileResult Read(const NumberFile::Sink& sink);

  // Every later Read advances progress by the bytes it hands over, and ends with CancelledError once
  // progress asks to stop.
  void Watch(WorkProgress* progress) { progress_ = progress; }

 private:
  TextSource() = default;

  std::filesystem::path path_;
  std::string_view text_;
  std::unique_ptr<NumberFile> file_;
  std::unique_ptr<SpillStore> kept_;
  std::uint64_t size_ = 0;
  WorkProgress* progress_ = nullptr;
};

// Reads a source and scans it: receive(token, ordinal) gets every token's text in order, numbered from 0.
template <class Receive>
FileResult ForEachToken(TextSource& source, Receive&& receive) {
  NumberScanner scanner;
  std::uint64_t ordinal = 0;
  auto numbered = [&](std::string_view token) { receive(token, ordinal++); };
  FileResult error = source.Read([&](std::string_view piece) { scanner.Feed(piece, numbered); });
  if (!error) scanner.Finish(numbered);
  return error;
}

}  // namespace zelvane
