#pragma once

#include <functional>

namespace zelvane {

class Shell;

// The program: checks that networking works, then runs the main dialog until it is closed.
class CClassifierApp {
 public:
  // networkingWorks is the start-up check; the program ends at once when it fails.
  CClassifierApp(Shell& shell, std::function<bool()> networkingWorks);

  // Returns the exit code: 0 once the main dialog is closed, 1 when the check failed.
  int Run();

 private:
  Shell& m_shell;
  std::function<bool()> m_networkingWorks;
};

}  // namespace zelvane
