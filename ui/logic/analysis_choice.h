#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

#include "ui/logic/main_window_view.h"

namespace zelvane {

// What "号码分析" decides: the two files, each asked for with the import's prompt (a cancelled prompt
// keeps the earlier choice), and 找相同 / 找不同 closing it only once both are chosen. It opens with
// the files and the mode it was last closed with.
class AnalysisChoice {
 public:
  static constexpr std::string_view kBothFilesNeeded = "请选择两个需要进行比较的号码文件！";

  AnalysisChoice() = default;
  explicit AnalysisChoice(const ComparisonRequest& last) : m_files{last.file1, last.file2}, m_mode(last.mode) {}

  const std::filesystem::path& File(int slot) const { return m_files[static_cast<std::size_t>(slot)]; }
  // 选择 of file slot (0 or 1) answered by the prompt with chosen; true when the choice changed.
  bool Picked(int slot, const std::optional<std::filesystem::path>& chosen);
  // The mode it was last closed with: the button the dialog offers first.
  ComparisonMode Mode() const { return m_mode; }
  // 找相同 or 找不同: the request, or nothing while a file is missing (the window says kBothFilesNeeded).
  std::optional<ComparisonRequest> Finish(ComparisonMode mode);
  // The files and the mode as they are now, to open with next time.
  ComparisonRequest Now() const { return {m_files[0], m_files[1], m_mode}; }

 private:
  std::array<std::filesystem::path, 2> m_files;
  ComparisonMode m_mode = ComparisonMode::FindSame;
};

}  // namespace zelvane
