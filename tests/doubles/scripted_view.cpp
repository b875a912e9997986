#include "tests/doubles/scripted_view.h"

#include <atomic>
#include <chrono>
#include <exception>
#include <new>
#include <thread>
#include <utility>

#include "ui/logic/work_thread.h"

namespace zelvane::test {

std::vector<std::string> ScriptedView::Messages() const {
  std::vector<std::string> messages;
  for (const std::string& entry : log) {
    if (entry.starts_with("ShowMessage ")) messages.push_back(entry.substr(entry.find(' ') + 1));
  }
  return messages;
}

std::vector<std::filesystem::path> ScriptedView::ChooseOpenFiles(const FilePrompt& prompt) {
  const std::string question = "ChooseOpenFiles " + std::string(prompt.title);
  if (fileSets.empty()) {
    const std::optional<std::filesystem::path> path = Next(paths, question);
    return path ? std::vector{*path} : std::vector<std::filesystem::path>{};
  }
  return Next(fileSets, question);
}

// The work runs on the windows' worker thread, while this thread waits for it as a window's loop would.
bool ScriptedView::RunWork(std::string_view what, const std::function<void(WorkProgress&)>& work) {
  log.push_back("RunWork " + std::string(what));
  SharedProgress shared;
  m_running = &shared;
  const struct Ended {
    SharedProgress*& running;
    ~Ended() { running = nullptr; }
  } forget{m_running};
  if (whileWorking) whileWorking();
  if (std::exchange(failNextWork, false)) throw std::bad_alloc();

  std::atomic<std::uint64_t> total = 0;
  // The work's own reports, so that 取消 comes at the report asked for, however fast the work is.
  const std::function<void(WorkProgress&)> watched = [&, limit = stopAfter](WorkProgress& progress) {
    WorkProgress reporting(progress.StopToken(), [&](std::uint64_t done, std::uint64_t reportedTotal) {
      total = reportedTotal;
      if (limit && done >= *limit) shared.RequestStop();
    });
    work(reporting);
  };
  std::atomic<bool> ended = false;
  std::exception_ptr thrown;
  std::jthread worker = StartWork(shared, watched, thrown, [&ended] { ended = true; });
  do {
    if (whileWorkRuns) whileWorkRuns();
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  } while (whileWorkRuns && !ended);
  worker.join();
  workTotal = total;
  if (thrown) std::rethrow_exception(thrown);
  return !shared.StopRequested();
}

void ScriptedView::CancelWork() {
  log.emplace_back("CancelWork");
  if (m_running) m_running->RequestStop();
}

}  // namespace zelvane::test
