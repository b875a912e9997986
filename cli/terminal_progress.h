#pragma once

#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdint>
#include <stop_token>
#include <string>
#include <string_view>

#include "core/work_progress.h"

namespace zelvane::cli {

// --progress and --quiet of the commands that work long.
struct ProgressOptions {
  bool progress = false;  // the progress line even where standard error is no terminal
  bool quiet = false;     // neither the progress line nor the summary

  // Whether the progress line is shown, standard error being a terminal or not.
  bool ShowsProgress(bool terminal) const { return progress || (terminal && !quiet); }
};

void AddProgressOptions(CLI::App& app, ProgressOptions& options);

// A byte count as people read it: "512 B", "3.5 KiB", "412 MiB", "1.2 GiB" (one decimal below 10).
std::string ByteCount(std::uint64_t bytes);

// "classify: 412 MiB of 1.2 GiB (34%)", or without a total "classify: 412 MiB".
std::string ProgressLine(std::string_view command, std::uint64_t done, std::uint64_t total);

// One line on standard error, rewritten in place, for work that has run longer than kDelay; cleared
// when the work ends, so that only the command's own output stays.
class TerminalProgress {
 public:
  static constexpr std::chrono::milliseconds kDelay{1000};
  static constexpr std::chrono::milliseconds kRedrawEvery{100};

  // Shows nothing unless options ask for it where standard error is (or is not) a terminal. The work
  // stops when stop asks it to.
  TerminalProgress(std::string command, const ProgressOptions& options, std::stop_token stop = {});
  ~TerminalProgress() { Clear(); }
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;

  // What the work reports to.
  WorkProgress& Progress() { return progress_; }

  // Takes the line away; the work is over.
  void Clear();

 private:
  void Show(std::uint64_t done, std::uint64_t total);

  std::string command_;
  bool shown_ = false;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point drawnAt_{};
  WorkProgress progress_;
};

}  // namespace zelvane::cli
