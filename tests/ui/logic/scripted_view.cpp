#include "tests/ui/logic/scripted_view.h"

#include <atomic>
#include <exception>
#include <new>
#include <thread>
#include <utility>

namespace zelvane::test {

namespace {

// The next queued answer; the default (a cancel) when there is none.
template <class Answer>
Answer Next(std::deque<Answer>& answers) {
  if (answers.empty()) return {};
  Answer answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

}  // namespace

std::vector<std::string> ScriptedView::Messages() const {
  std::vector<std::string> messages;
  for (const std::string& entry : log) {
    if (entry.starts_with("ShowMessage ")) messages.push_back(entry.substr(entry.find(' ') + 1));
  }
  return messages;
}

std::optional<std::filesystem::path> ScriptedView::ChooseOpenFile(const FilePrompt& prompt) {
  log.push_back("ChooseOpenFile " + std::string(prompt.title));
  return Next(paths);
}

std::optional<std::filesystem::path> ScriptedView::ChooseSaveFile(const FilePrompt& prompt) {
  log.push_back("ChooseSaveFile " + std::string(prompt.title) + " " + std::string(prompt.defaultSuffix));
  return Next(paths);
}

std::optional<std::filesystem::path> ScriptedView::ChooseFolder(std::string_view title) {
  log.push_back("ChooseFolder " + std::string(title));
  return Next(paths);
}

std::string ScriptedView::AskSeparator() {
  log.emplace_back("AskSeparator");
  return Next(separators);
}

std::optional<ComparisonRequest> ScriptedView::AskComparison() {
  log.emplace_back("AskComparison");
  return Next(comparisons);
}

// The work runs on a thread of its own, as in a window, while this thread waits for it.
bool ScriptedView::RunWork(std::string_view what, const std::function<void(WorkProgress&)>& work) {
  log.push_back("RunWork " + std::string(what));
  std::stop_source stop;
  m_running = &stop;
  const struct Ended {
    std::stop_source*& running;
    ~Ended() { running = nullptr; }
  } ended{m_running};
  if (whileWorking) whileWorking();
  if (std::exchange(failNextWork, false)) throw std::bad_alloc();

  std::atomic<std::uint64_t> total = 0;
  std::exception_ptr thrown;
  std::jthread([&, limit = stopAfter] {
    WorkProgress progress(stop.get_token(), [&](std::uint64_t done, std::uint64_t reportedTotal) {
      total = reportedTotal;
      if (limit && done >= *limit) stop.request_stop();
    });
    try {
      work(progress);
    } catch (...) {
      thrown = std::current_exception();
    }
  }).join();
  workTotal = total;
  if (thrown) std::rethrow_exception(thrown);
  return !stop.stop_requested();
}

void ScriptedView::CancelWork() {
  log.emplace_back("CancelWork");
  if (m_running) m_running->request_stop();
}

void ScriptedView::EnableCommands(bool enable) {
  commandsEnabled = enable;
  log.push_back(enable ? "EnableCommands on" : "EnableCommands off");
}

void ScriptedView::ShowCounts(std::string_view text, const CategoryCounts& shown) {
  status = text;
  counts = shown;
  log.push_back("ShowCounts " + status);
}

void ScriptedView::ShowLoadedTable(std::string_view name, std::string_view path) {
  log.push_back("ShowLoadedTable " + std::string(name) + " " + std::string(path));
}

}  // namespace zelvane::test
