#include "ops/text_source.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "ops/file_failure.h"

namespace zelvane {

namespace {

// A stream is kept in frames of a quarter of its allowance, from 64 bytes to 1 MiB.
std::size_t KeptFrameSize(std::uint64_t allowance) {
  return std::bit_floor(std::clamp<std::uint64_t>(allowance / 4, 64, std::uint64_t{1} << 20));
}

}  // namespace

FileResult TextSource::Open(const std::filesystem::path& path, InputKinds kinds, std::uint64_t memoryAllowance,
                            const std::filesystem::path& temporaryFolder, std::optional<TextSource>& source,
                            const InputReading& reading) {
  InputFormat format = InputFormat::Text;
  if (FileResult error = FormatOfInput(path, reading, format)) return error;
  auto file = std::make_unique<NumberFile>();
  if (format == InputFormat::Text) {
    if (FileResult error = file->Open(path, kinds)) return error;
  }
  TextSource opened;
  opened.path_ = path;
  if (format == InputFormat::Text && file->IsRegular()) {
    opened.size_ = file->Size();
    opened.file_ = std::move(file);
  } else {
    opened = Kept(path, memoryAllowance, temporaryFolder);
    const auto keep = [&](std::string_view piece) { opened.Append(piece); };
    try {
      if (FileResult error = format == InputFormat::Text ? file->Read(keep) : ReadInput(path, kinds, reading, keep)) {
        return error;
      }
    } catch (const FileFailure& failure) {
      return failure.error();
    }
  }
  source.emplace(std::move(opened));
  return std::nullopt;
}

TextSource TextSource::Kept(const std::filesystem::path& path, std::uint64_t memoryAllowance,
                            const std::filesystem::path& temporaryFolder) {
  TextSource kept;
  kept.path_ = path;
  kept.kept_ = std::make_unique<SpillStore>(1, KeptFrameSize(memoryAllowance), memoryAllowance, temporaryFolder);
  return kept;
}

FileResult TextSource::Read(const NumberFile::Sink& sink) {
  if (file_) return file_->Read(sink, progress_);
  if (kept_ && progress_) {
    return kept_->ForEachFrame(0, [this, &sink](std::string_view frame) {
      progress_->Advance(frame.size());
      if (progress_->StopRequested()) throw FileFailure(CancelledError(FileOperation::Read, path_));
      sink(frame);
    });
  }
  if (kept_) return kept_->ForEachFrame(0, sink);
  if (progress_) progress_->Advance(text_.size());
  if (!text_.empty()) sink(text_);
  return std::nullopt;
}

}  // namespace zelvane
