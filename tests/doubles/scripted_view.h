#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/doubles/memory_settings.h"
#include "ui/logic/analysis_choice.h"
#include "ui/logic/main_window_view.h"
#include "ui/logic/shown_numbers.h"

namespace zelvane::test {

// A main window without a toolkit: the user's answers are queued beforehand, and what the logic asks
// of the window is logged, one entry each ("ShowMessage 导出完毕", "RunWork 正在去除重复号码…").
// The wait cursor is counted rather than logged.
class ScriptedView final : public MainWindowView, public Prompts {
 public:
  // Answers, taken in order; an empty queue (or nothing) is the user cancelling. The file and folder
  // prompts share one queue.
  std::deque<std::optional<std::filesystem::path>> paths;
  std::deque<std::optional<std::string>> separators;
  std::deque<std::optional<ComparisonRequest>> comparisons;
  std::deque<std::optional<AreaLevel>> areaLevels;
  std::deque<std::size_t> saveFilters;
  // The list dialogs' answers: an entry, or nothing for Esc; none queued: the entry offered, as Enter.
  std::deque<std::optional<std::size_t>> columns;
  std::deque<std::optional<std::size_t>> exportKinds;
  // What "选择号码所在的列" and "导出格式" showed last: the entries and the one chosen at first.
  std::vector<ListEntry> listShown;
  std::size_t listChosen = 0;
  // What the separator and 号码分析 dialogs opened with, in order.
  std::vector<std::string> offeredSeparators;
  std::vector<ComparisonRequest> offeredAnalyses;
  // Where the window keeps its choices: its own memory unless a test shares one between two windows.
  MemorySettings ownSettings;
  SettingsStore* settings = &ownSettings;
  std::deque<std::vector<std::filesystem::path>> fileSets;
  std::deque<bool> yesNo;  // none: 否

  // What the user does while work runs (cancel, close the window), on this thread before the work starts.
  std::function<void()> whileWorking;
  // What the window does again and again while the work runs on its thread (paint the list, say); at
  // least once.
  std::function<void()> whileWorkRuns;
  // 取消 once the work reported this many units done; reports come every WorkProgress::kReportStep units.
  std::optional<std::uint64_t> stopAfter;
  // The next RunWork throws std::bad_alloc instead of running its work, as when its thread or its
  // progress window cannot be had.
  bool failNextWork = false;

  std::vector<std::string> log;
  bool commandsEnabled = true;
  int waitCursorDepth = 0;
  std::string status;
  CategoryCounts counts{};
  std::uint64_t workTotal = 0;  // the total the last work set

  std::vector<std::string> Messages() const;

  Prompts& UserPrompts() override { return *this; }
  std::optional<std::filesystem::path> ChooseOpenFile(const FilePrompt& prompt) override {
    return Next(paths, "ChooseOpenFile " + std::string(prompt.title));
  }
  // The save prompt answers with the next path and the filter chosen in it, the first unless queued.
  std::optional<SavedFile> ChooseSaveFile(const FilePrompt& prompt) override {
    const std::optional<std::filesystem::path> path =
        Next(paths, "ChooseSaveFile " + std::string(prompt.title) + " " + std::string(prompt.defaultSuffix));
    const std::size_t filter = saveFilters.empty() ? 0 : saveFilters.front();
    if (!saveFilters.empty()) saveFilters.pop_front();
    if (!path) return std::nullopt;
    return SavedFile{*path, filter};
  }
  // Several files at once: the next of fileSets, else the next path alone.
  std::vector<std::filesystem::path> ChooseOpenFiles(const FilePrompt& prompt) override;
  std::optional<std::filesystem::path> ChooseFolder(std::string_view title) override {
    return Next(paths, "ChooseFolder " + std::string(title));
  }
  void ShowMessage(std::string_view text) override { log.push_back("ShowMessage " + std::string(text)); }
  bool AskYesNo(std::string_view question) override { return Next(yesNo, "AskYesNo " + std::string(question)); }
  std::optional<std::string> AskSeparator(std::string_view offered, std::string_view note) override {
    offeredSeparators.emplace_back(offered);
    return Next(separators, note.empty() ? "AskSeparator" : "AskSeparator " + std::string(note));
  }
  // The queued request is what the user picked and clicked; it is handed on as it is, whole or not.
  std::optional<ComparisonRequest> AskComparison(AnalysisChoice& choice) override {
    offeredAnalyses.push_back(choice.Now());
    std::optional<ComparisonRequest> answer = Next(comparisons, "AskComparison");
    if (answer) {
      choice.Picked(0, answer->file1);
      choice.Picked(1, answer->file2);
      choice.Finish(answer->mode);
    }
    return answer;
  }
  std::optional<std::size_t> AskColumn(std::string_view prompt, const std::vector<ListEntry>& entries,
                                       std::size_t chosen) override {
    return AskList(columns, "AskColumn " + std::string(prompt), entries, chosen);
  }
  std::optional<std::size_t> AskExportKind(const std::vector<ListEntry>& entries, std::size_t chosen) override {
    return AskList(exportKinds, "AskExportKind", entries, chosen);
  }
  std::optional<AreaLevel> AskAreaLevel() override { return Next(areaLevels, "AskAreaLevel"); }
  // What the user does in 号码统计's window (nothing: closes it at once).
  std::function<void(ReportDialogLogic&)> inReport;
  void ShowReport(ReportDialogLogic& report) override {
    log.emplace_back("ShowReport");
    if (inReport) inReport(report);
  }
  void ShowAbout() override { log.emplace_back("ShowAbout"); }
  void ShowHelp() override { log.emplace_back("ShowHelp"); }
  bool RunWork(std::string_view what, const std::function<void(WorkProgress&)>& work) override;
  void CancelWork() override;
  void ShowWaitCursor(bool wait) override { waitCursorDepth += wait ? 1 : -1; }
  void EnableCommands(bool enable) override {
    commandsEnabled = enable;
    log.push_back(enable ? "EnableCommands on" : "EnableCommands off");
  }
  void ShowCounts(std::string_view text, const CategoryCounts& shown) override {
    status = text;
    counts = shown;
    log.push_back("ShowCounts " + status);
  }
  void ChooseTableEntry(int entry) override { log.push_back("ChooseTableEntry " + std::to_string(entry)); }
  void ShowLoadedTable(std::string_view name, std::string_view path) override {
    log.push_back("ShowLoadedTable " + std::string(name) + " " + std::string(path));
  }
  void CloseLater() override { log.emplace_back("CloseLater"); }
  SettingsStore& Settings() override { return *settings; }
  // The area choice and a selected number's status line, apart from the log.
  std::vector<AreaEntry> areas;
  std::size_t chosenArea = 0;
  std::string statusLine;
  void ShowStatusLine(std::string_view text) override { statusLine = text; }
  // The boxes as shown (a click toggles one here first, as in a window), and the area choice.
  BoxStates boxes;
  bool areaChoiceEnabled = true;
  void ShowBoxes(const BoxStates& shown) override { boxes = shown; }
  void EnableAreaChoice(bool enable) override { areaChoiceEnabled = enable; }
  void ShowAreas(const std::vector<AreaEntry>& entries, std::size_t chosen) override {
    areas = entries;
    chosenArea = chosen;
  }
  void ChooseAreaTableEntry(int entry) override { log.push_back("ChooseAreaTableEntry " + std::to_string(entry)); }
  void ShowLoadedAreaTable(std::string_view name, std::string_view path) override {
    log.push_back("ShowLoadedAreaTable " + std::string(name) + " " + std::string(path));
  }

 private:
  std::optional<std::size_t> AskList(std::deque<std::optional<std::size_t>>& answers, std::string question,
                                     const std::vector<ListEntry>& entries, std::size_t chosen) {
    listShown = entries;
    listChosen = chosen;
    log.push_back(std::move(question));
    if (answers.empty()) return chosen;
    const std::optional<std::size_t> answer = answers.front();
    answers.pop_front();
    return answer;
  }

  // Logs the question; the next queued answer, or the default (a cancel) when there is none.
  template <class Answer>
  Answer Next(std::deque<Answer>& answers, std::string question) {
    log.push_back(std::move(question));
    if (answers.empty()) return {};
    Answer answer = std::move(answers.front());
    answers.pop_front();
    return answer;
  }

  SharedProgress* m_running = nullptr;
};

// The numbers of a window's list, each notification of a change logged: "reset" or "append first+count";
// one that begins before the last ended as "nested".
class RecordingNumbers final : public ShownNumbers {
 public:
  std::vector<std::string> notifications;

 protected:
  void BeginReset() override { Begin("reset"); }
  void EndReset() override { m_open = false; }
  void BeginAppend(std::size_t first, std::size_t count) override {
    Begin("append " + std::to_string(first) + "+" + std::to_string(count));
  }
  void EndAppend() override { m_open = false; }

 private:
  void Begin(std::string what) {
    notifications.push_back(m_open ? "nested" : std::move(what));
    m_open = true;
  }

  bool m_open = false;
};

}  // namespace zelvane::test
