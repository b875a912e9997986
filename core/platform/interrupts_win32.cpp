#include <windows.h>

#include <mutex>

#include "core/platform/interrupts.h"

namespace zelvane {

namespace {

InterruptsAsStop* watching = nullptr;
HANDLE released = nullptr;  // set once the work is over
PHANDLER_ROUTINE installed = nullptr;
std::mutex deciding;  // whether an interrupt ends the process at once, or asks to stop
bool deferred = false;

}  // namespace

void DeferInterrupts() {
  const std::lock_guard lock(deciding);
  deferred = true;
}

InterruptsAsStop::InterruptsAsStop(std::stop_source stop) : stop_(std::move(stop)) {
  watching = this;
  deferred = false;
  released = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  installed = [](DWORD event) -> BOOL {
    {
      const std::lock_guard lock(deciding);
      if (!deferred || watching->Caught()) ExitProcess(STATUS_CONTROL_C_EXIT);
    }
    watching->Take(static_cast<int>(event) + 1);
    // Closing the console, logging off or shutting down ends the process once this returns: it waits
    // (as long as Windows lets it) until the work stopped or was done.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
      WaitForSingleObject(released, INFINITE);
    }
    return TRUE;
  };
  SetConsoleCtrlHandler(installed, TRUE);
}

InterruptsAsStop::~InterruptsAsStop() { Restore(); }

void InterruptsAsStop::Take(int interrupt) {
  caught_ = interrupt;
  stop_.request_stop();
}

void InterruptsAsStop::Restore() {
  if (restored_) return;
  restored_ = true;
  SetConsoleCtrlHandler(installed, FALSE);
  SetEvent(released);
}

void InterruptsAsStop::EndAsInterrupted() {
  Restore();
  ExitProcess(STATUS_CONTROL_C_EXIT);
}

}  // namespace zelvane
