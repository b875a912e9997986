#include "ui/logic/analysis_choice.h"

namespace zelvane {

bool AnalysisChoice::Picked(int slot, const std::optional<std::filesystem::path>& chosen) {
  if (!chosen) return false;
  m_files[static_cast<std::size_t>(slot)] = *chosen;
  return true;
}

std::optional<ComparisonRequest> AnalysisChoice::Finish(ComparisonMode mode) {
  if (m_files[0].empty() || m_files[1].empty()) return std::nullopt;
  m_mode = mode;
  return ComparisonRequest{m_files[0], m_files[1], mode};
}

}  // namespace zelvane
