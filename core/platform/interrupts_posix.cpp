#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <ctime>
#include <mutex>
#include <system_error>
#include <utility>

#include "core/platform/interrupts.h"

namespace zelvane {

namespace {

std::mutex deciding;  // whether an interrupt ends the process at once, or asks to stop
bool deferred = false;

// As if the signal had never been held: the default action, which ends the process.
[[noreturn]] void EndAtOnce(int interrupt) {
  ::signal(interrupt, SIG_DFL);
  sigset_t just{};
  sigemptyset(&just);
  sigaddset(&just, interrupt);
  ::pthread_sigmask(SIG_UNBLOCK, &just, nullptr);
  ::raise(interrupt);
  ::_exit(128 + interrupt);
}

}  // namespace

void DeferInterrupts() {
  const std::lock_guard lock(deciding);
  deferred = true;
}

// The signals are blocked in every thread (threads made later inherit the mask) and taken by a thread
// of their own, which can then do what a signal handler may not: ask the work to stop.
InterruptsAsStop::InterruptsAsStop(std::stop_source stop) : stop_(std::move(stop)) {
  deferred = false;
  sigemptyset(&held_);
  for (const int interrupt : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction current {};
    if (::sigaction(interrupt, nullptr, &current) == 0 && current.sa_handler != SIG_IGN) sigaddset(&held_, interrupt);
  }
  ::pthread_sigmask(SIG_BLOCK, &held_, &previousMask_);
  try {
    watcher_ = std::thread([this] { Watch(); });
  } catch (const std::system_error&) {
    // No thread to spare: interrupts end the process at once, as without this.
    ::pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
    sigemptyset(&held_);
  }
}

InterruptsAsStop::~InterruptsAsStop() { Restore(); }

void InterruptsAsStop::Take(int interrupt) {
  const std::lock_guard lock(deciding);
  // A second one ends the process too, as work that cannot stop (a read from a terminal) needs; the next
  // run into the folder then finishes or undoes what it left.
  if (!deferred || Caught()) EndAtOnce(interrupt);
  caught_ = interrupt;
  stop_.request_stop();
}

void InterruptsAsStop::Watch() {
  while (!ending_.load()) {
    const timespec wait{0, 50'000'000};
    const int interrupt = ::sigtimedwait(&held_, nullptr, &wait);
    if (interrupt > 0) Take(interrupt);
  }
}

void InterruptsAsStop::Restore() {
  if (std::exchange(restored_, true)) return;
  ending_ = true;
  if (watcher_.joinable()) watcher_.join();
  // What came since the watcher's last look is noted too, not delivered once unblocked.
  const timespec now{0, 0};
  for (int interrupt; (interrupt = ::sigtimedwait(&held_, nullptr, &now)) > 0;) Take(interrupt);
  ::pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
  const std::lock_guard lock(deciding);
  deferred = false;
}

void InterruptsAsStop::EndAsInterrupted() {
  Restore();
  EndAtOnce(caught_.load());
}

}  // namespace zelvane
