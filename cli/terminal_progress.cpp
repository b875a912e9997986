#include "cli/terminal_progress.h"

#include <algorithm>
#include <iterator>

#include "core/platform/terminal.h"

namespace zelvane::cli {

void AddProgressOptions(CLI::App& app, ProgressOptions& options) {
  app.add_flag("--progress", options.progress, "在标准错误上显示进度，即使它不是终端");
  app.add_flag("--quiet", options.quiet, "不显示进度和结束时的统计");
}

std::string ByteCount(std::uint64_t bytes) {
  constexpr const char* kUnits[] = {"B", "KiB", "MiB", "GiB", "TiB", "PiB", "EiB"};
  std::size_t unit = 0;
  std::uint64_t whole = bytes;
  while (whole >= 1024 && unit + 1 < std::size(kUnits)) {
    whole /= 1024;
    ++unit;
  }
  if (unit == 0 || whole >= 10) return std::to_string(whole) + " " + kUnits[unit];
  // Below 10 of a unit: one decimal, cut off rather than rounded up to the next unit.
  const std::uint64_t unitBytes = std::uint64_t{1} << (10 * unit);
  const std::uint64_t tenths = bytes % unitBytes * 10 / unitBytes;
  return std::to_string(whole) + "." + std::to_string(tenths) + " " + kUnits[unit];
}

std::string ProgressLine(std::string_view command, std::uint64_t done, std::uint64_t total) {
  std::string line = std::string(command) + ": " + ByteCount(done);
  if (total == 0) return line;
  return line + " of " + ByteCount(total) + " (" + std::to_string(ShareOf(done, total, 100)) + "%)";
}

TerminalProgress::TerminalProgress(std::string command, const ProgressOptions& options, std::stop_token stop)
    : command_(std::move(command)), shown_(options.ShowsProgress(IsTerminal(2))) {
  WorkProgress::Listener show;
  if (shown_) show = [this](std::uint64_t done, std::uint64_t total) { Show(done, total); };
  progress_ = WorkProgress(std::move(stop), std::move(show));
}

void TerminalProgress::Show(std::uint64_t done, std::uint64_t total) {
  const auto now = std::chrono::steady_clock::now();
  if (now - started_ < kDelay || (drawn_ && now - drawnAt_ < kRedrawEvery)) return;
  RewriteErrorLine(ProgressLine(command_, done, total));
  drawn_ = true;
  drawnAt_ = now;
}

void TerminalProgress::Clear() {
  if (drawn_) RewriteErrorLine("");
  drawn_ = false;
}

}  // namespace zelvane::cli
