#pragma once

#include <QStringList>
#include <deque>
#include <functional>

#include "tests/doubles/memory_settings.h"
#include "ui/qt/shell.h"

namespace zelvane {

// A shell for tests and benchmarks: prompts take prepared answers, dialogs are handed to a
// handler, and everything asked or shown is written to a log, one line each:
//   "ChooseOpenFile <title> <filter>", "ChooseOpenFiles <title> <filter>", "ChooseSaveFile <title> <filter> <suffix>",
//   "ChooseFolder <title>", "ShowMessage <text>", "AskYesNo <question>", "ShowAppMessage <caption>: <text>", "RunMenu
//   <item>|<item>...", "RunModal <window title>", "ShowProgress <window title>", "SetWaitCursor", "RestoreCursor".
class ScriptedShell final : public Shell {
 public:
  using DialogHandler = std::function<int(QDialog&)>;

  // The answer to the next prompt of any kind, after those already queued; nothing means cancel.
  // A prompt without a prepared answer is cancelled.
  void AnswerNextPrompt(std::optional<std::filesystem::path> answer);

  // The files the next prompt for several files is answered with, after those already queued; without
  // one it takes the next prompt answer as its one file.
  void AnswerNextFiles(std::vector<std::filesystem::path> files) { fileAnswers_.push_back(std::move(files)); }
  // The filter the next save prompt is answered with, after those already queued; without one, the first.
  void AnswerNextFilter(std::size_t filter) { filterAnswers_.push_back(filter); }
  // The answer to the next question (true: 是); a question without a prepared answer gets 否.
  void AnswerNextQuestion(bool yes) { questionAnswers_.push_back(yes); }

  // The text of the item the next menu is answered with; a menu without a prepared answer is closed.
  void AnswerNextMenu(const QString& item) { menuAnswers_.push_back(item); }

  // Decides the outcome of the dialogs run modally; without one they are rejected unseen.
  void HandleDialogsWith(DialogHandler handler);
  // Acts on progress windows as they show (presses 取消, say); without one they are left alone.
  void HandleProgressWith(std::function<void(QDialog&)> handler);

  // The window's choices go to store, which a test may share between two windows (two starts); by
  // default to the shell's own memory.
  void KeepSettingsIn(SettingsStore& store) { settings_ = &store; }

  const QStringList& Log() const { return log_; }
  void ClearLog() { log_.clear(); }

  // How many wait cursors are set and not yet restored.
  int WaitCursorDepth() const { return waitCursorDepth_; }

  std::optional<std::filesystem::path> ChooseOpenFile(const FilePrompt& prompt) override;
  std::vector<std::filesystem::path> ChooseOpenFiles(const FilePrompt& prompt) override;
  std::optional<SavedFile> ChooseSaveFile(const FilePrompt& prompt) override;
  std::optional<std::filesystem::path> ChooseFolder(std::string_view title) override;
  void ShowMessage(std::string_view text) override;
  bool AskYesNo(std::string_view question) override;
  void ShowAppMessage(const QString& text) override;
  QAction* RunMenu(QMenu& menu, const QPoint& at) override;
  int RunModal(QDialog& dialog) override;
  void ShowProgress(QDialog& progress) override;
  SettingsStore& Settings() override { return *settings_; }
  void SetWaitCursor() override;
  void RestoreCursor() override;

 private:
  std::optional<std::filesystem::path> NextAnswer();

  std::deque<std::optional<std::filesystem::path>> answers_;
  std::deque<std::vector<std::filesystem::path>> fileAnswers_;
  std::deque<std::size_t> filterAnswers_;
  std::deque<bool> questionAnswers_;
  std::deque<QString> menuAnswers_;
  DialogHandler dialogHandler_;
  std::function<void(QDialog&)> progressHandler_;
  QStringList log_;
  int waitCursorDepth_ = 0;
  test::MemorySettings ownSettings_;
  SettingsStore* settings_ = &ownSettings_;
};

}  // namespace zelvane
