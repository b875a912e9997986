#include "tests/ui/logic/scripted_view.h"

#include <atomic>
#include <chrono>
#include <exception>
#include <new>
#include <thread>
#include <utility>

namespace zelvane::test {

std::vector<std::string> ScriptedView::Messages() const {
  std::vector<std::string> messages;
  for (const std::string& entry : log) {
    if (entry.starts_with("ShowMessage ")) messages.push_back(entry.substr(entry.find(' ') + 1));
  }
  return messages;
}

// The work runs on a thread of its own, as in a window, while this thread waits for it.
bool ScriptedView::RunWork(std::string_view what, const std::function<void(WorkProgress&)>& work) {
  log.push_back("RunWork " + std::string(what));
  std::stop_source stop;
  m_running = &stop;
  const struct Ended {
    std::stop_source*& running;
    ~Ended() { running = nullptr; }
  } forget{m_running};
  if (whileWorking) whileWorking();
  if (std::exchange(failNextWork, false)) throw std::bad_alloc();

  std::atomic<std::uint64_t> total = 0;
  std::atomic<bool> ended = false;
  std::exception_ptr thrown;
  std::jthread worker([&, limit = stopAfter] {
    WorkProgress progress(stop.get_token(), [&](std::uint64_t done, std::uint64_t reportedTotal) {
      total = reportedTotal;
      if (limit && done >= *limit) stop.request_stop();
    });
    try {
      work(progress);
    } catch (...) {
      thrown = std::current_exception();
    }
    ended = true;
  });
  do {
    if (whileWorkRuns) whileWorkRuns();
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  } while (whileWorkRuns && !ended);
  worker.join();
  workTotal = total;
  if (thrown) std::rethrow_exception(thrown);
  return !stop.stop_requested();
}

void ScriptedView::CancelWork() {
  log.emplace_back("CancelWork");
  if (m_running) m_running->request_stop();
}

}  // namespace zelvane::test
