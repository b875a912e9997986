#pragma once

#include <filesystem>
#include <functional>
#include <vector>

namespace zelvane {

class Shell;

// The program: checks that networking works, then runs the main dialog until it is closed.
class CClassifierApp {
 public:
  // networkingWorks is the start-up check; the program ends at once when it fails.
  CClassifierApp(Shell& shell, std::function<bool()> networkingWorks);

  // Returns the exit code: 0 once the main dialog is closed, 1 when the check failed. The files are
  // imported in order once the main dialog is up.
  int Run(const std::vector<std::filesystem::path>& files = {});

 private:
  Shell& m_shell;
  std::function<bool()> m_networkingWorks;
};

}  // namespace zelvane
