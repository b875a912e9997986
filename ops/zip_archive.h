#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/file_error.h"

namespace zelvane {

// A zip archive read through the platform's files (so a path of any characters opens on every
// system), one entry at a time, inflated in pieces. What all its entries inflate to is bounded by a
// multiple of the archive's size, so that a zip bomb is refused before it costs much.
class ZipArchive {
 public:
  using Sink = std::function<void(std::string_view piece)>;

  // Inflated data may be this many times the archive's size, and 1 MiB more.
  static constexpr std::uint64_t kMaxInflation = 200;

  ZipArchive() = default;
  ~ZipArchive();
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  FileResult Open(const std::filesystem::path& path);

  std::uint64_t Size() const { return size_; }
  bool Has(const std::string& name);

  // Inflates the entry name (a missing one is an error) and hands it over in pieces; progress(inflated,
  // total) follows it. sink may throw to stop.
  FileResult Read(const std::string& name, const Sink& sink,
                  const std::function<void(std::uint64_t done, std::uint64_t total)>& progress = {});

  // The message for an archive that is not a whole workbook.
  FileError Damaged(const std::string& detail) const;

 private:
  std::filesystem::path path_;
  int fd_ = -1;
  std::uint64_t size_ = 0;
  std::uint64_t position_ = 0;
  std::unique_ptr<char[]> window_;  // bytes of the file from windowStart_, for minizip's small reads
  std::uint64_t windowStart_ = 0;
  std::size_t windowLength_ = 0;
  std::uint64_t inflated_ = 0;
  void* zip_ = nullptr;

  friend struct ZipFileFunctions;
};

}  // namespace zelvane
