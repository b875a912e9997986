#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "core/file_error.h"
#include "core/number_scanner.h"

namespace zelvane {

// Reads a number file in binary and hands its text to sink in pieces, in order: a UTF-8
// byte-order mark at the start is skipped, and a file that starts with a UTF-16 byte-order mark
// is handed over as GBK. Exactly the bytes read are handed over, however the file changes while
// it is read. Folders, FIFOs and other non-regular files are refused.
FileResult ReadNumberFile(const std::filesystem::path& path, const std::function<void(std::string_view)>& sink);

// The whole text of a number file, as ReadNumberFile hands it over.
FileResult LoadNumberFile(const std::filesystem::path& path, std::string& text);

// The size of the file on disk in bytes.
FileResult NumberFileSize(const std::filesystem::path& path, std::uint64_t& size);

// Reads and scans a number file: receive gets every token's text in file order.
template <class Receiver>
FileResult ForEachNumberInFile(const std::filesystem::path& path, Receiver&& receive) {
  NumberScanner scanner;
  FileResult error = ReadNumberFile(path, [&](std::string_view piece) { scanner.Feed(piece, receive); });
  if (!error) scanner.Finish(receive);
  return error;
}

}  // namespace zelvane
