#pragma once

#include <atomic>
#include <stop_token>
#include <thread>

#ifndef _WIN32
#include <signal.h>
#endif

namespace zelvane {

// Ctrl+C, termination and hang-up (SIGINT, SIGTERM, SIGHUP; on Windows the console's Ctrl+C, Ctrl+Break
// and close) end the process at once, as ever, until the work calls DeferInterrupts because it must not
// be cut in two (files being replaced together). From then on, while one of these is alive, an
// interrupt asks stop to stop, so that the work leaves every file whole, and the process then ends as
// the interrupt would have ended it (EndAsInterrupted) or, when the work was done before it could stop,
// as done. A second interrupt ends the process at once. Interrupts that were ignored stay ignored. One
// at a time, made before the work starts threads of its own.
class InterruptsAsStop {
 public:
  explicit InterruptsAsStop(std::stop_source stop);
  ~InterruptsAsStop();
  InterruptsAsStop(const InterruptsAsStop&) = delete;
  InterruptsAsStop& operator=(const InterruptsAsStop&) = delete;

  bool Caught() const { return caught_.load() != 0; }
  // Ends the process as the interrupt caught would have ended it.
  [[noreturn]] void EndAsInterrupted();

 private:
  // Notes the interrupt, or ends the process at once when the work does not defer it.
  void Take(int interrupt);
  void Restore();

  std::stop_source stop_;
  std::atomic<int> caught_{0};
  bool restored_ = false;
#ifndef _WIN32
  void Watch();

  sigset_t held_{};
  sigset_t previousMask_{};
  std::atomic<bool> ending_{false};
  std::thread watcher_;
#endif
};

// Interrupts ask to stop from now on, where an InterruptsAsStop is alive (none in the desktop program,
// whose 取消 stops the work).
void DeferInterrupts();

}  // namespace zelvane
