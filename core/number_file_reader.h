#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "core/file_error.h"
#include "core/number_scanner.h"
#include "core/text_encoding.h"
#include "core/work_progress.h"

namespace zelvane {

// What a number file may be besides a regular file.
enum class InputKinds {
  RegularFiles,  // folders, FIFOs and devices are refused, a FIFO without waiting for a writer
  AnyStream,     // as RegularFiles, but "-" is standard input, read to its end whatever it is (a pipe)
};

// The name that stands for standard input on the command line.
inline const std::filesystem::path kStandardInput = "-";

// An open number file. Read hands its text over in binary, in pieces, in order: a UTF-8 byte-order
// mark at the start is skipped, and a file that starts with a UTF-16 byte-order mark is handed over
// as GBK (or UTF-8, for tables). Exactly the bytes read are handed over, however the file changes
// while it is read.
class NumberFile {
 public:
  using Sink = std::function<void(std::string_view)>;

  NumberFile() = default;
  ~NumberFile();
  NumberFile(NumberFile&& other) noexcept;
  NumberFile& operator=(NumberFile&& other) noexcept;

  FileResult Open(const std::filesystem::path& path, InputKinds kinds = InputKinds::RegularFiles);

  const std::filesystem::path& path() const { return path_; }
  // UTF-16 text is handed over in target's charset: GBK for numbers, UTF-8 for tables.
  void SetUtf16Target(Utf16Converter::Target target) { utf16Target_ = target; }
  // A regular file: its size is known, and it can be read more than once.
  bool IsRegular() const { return regular_; }
  // The size on disk when it was opened; 0 for a stream.
  std::uint64_t Size() const { return size_; }

  // Reads the whole text from the start (a stream: what is left of it) and hands it to sink. progress
  // advances by the bytes read; once it asks to stop, the read ends with CancelledError.
  FileResult Read(const Sink& sink, WorkProgress* progress = nullptr);

 private:
  void Close();

  std::filesystem::path path_;
  int fd_ = -1;
  bool ownsFd_ = false;
  bool regular_ = false;
  std::uint64_t size_ = 0;
  Utf16Converter::Target utf16Target_ = Utf16Converter::Target::Gbk;
};

// The whole text of a number file, as Read hands it over.
FileResult LoadNumberFile(NumberFile& file, std::string& text);

// Reads and scans an open number file: receive gets every token's text in file order.
template <class Receiver>
FileResult ForEachNumberIn(NumberFile& file, Receiver&& receive, WorkProgress* progress = nullptr) {
  NumberScanner scanner;
  FileResult error = file.Read([&](std::string_view piece) { scanner.Feed(piece, receive); }, progress);
  if (!error) scanner.Finish(receive);
  return error;
}

}  // namespace zelvane
