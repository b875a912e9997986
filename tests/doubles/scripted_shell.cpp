#include "tests/doubles/scripted_shell.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>

#include "ui/qt/ui_text.h"

namespace zelvane {

void ScriptedShell::AnswerNextPrompt(std::optional<std::filesystem::path> answer) {
  answers_.push_back(std::move(answer));
}

void ScriptedShell::HandleDialogsWith(DialogHandler handler) { dialogHandler_ = std::move(handler); }

void ScriptedShell::HandleProgressWith(std::function<void(QDialog&)> handler) { progressHandler_ = std::move(handler); }

std::optional<std::filesystem::path> ScriptedShell::NextAnswer() {
  if (answers_.empty()) return std::nullopt;
  std::optional<std::filesystem::path> answer = std::move(answers_.front());
  answers_.pop_front();
  return answer;
}

std::optional<std::filesystem::path> ScriptedShell::ChooseOpenFile(const FilePrompt& prompt) {
  log_ << QStringLiteral("ChooseOpenFile %1 %2").arg(FromUtf8(prompt.title), FromUtf8(prompt.filter));
  return NextAnswer();
}

std::vector<std::filesystem::path> ScriptedShell::ChooseOpenFiles(const FilePrompt& prompt) {
  log_ << QStringLiteral("ChooseOpenFiles %1 %2").arg(FromUtf8(prompt.title), FromUtf8(prompt.filter));
  if (fileAnswers_.empty()) {
    std::optional<std::filesystem::path> answer = NextAnswer();
    return answer ? std::vector{std::move(*answer)} : std::vector<std::filesystem::path>{};
  }
  std::vector<std::filesystem::path> files = std::move(fileAnswers_.front());
  fileAnswers_.pop_front();
  return files;
}

std::optional<SavedFile> ScriptedShell::ChooseSaveFile(const FilePrompt& prompt) {
  log_ << QStringLiteral("ChooseSaveFile %1 %2 %3")
              .arg(FromUtf8(prompt.title), FromUtf8(prompt.filter), FromUtf8(prompt.defaultSuffix));
  const std::size_t filter = filterAnswers_.empty() ? 0 : filterAnswers_.front();
  if (!filterAnswers_.empty()) filterAnswers_.pop_front();
  std::optional<std::filesystem::path> path = NextAnswer();
  if (!path) return std::nullopt;
  return SavedFile{std::move(*path), filter};
}

std::optional<std::filesystem::path> ScriptedShell::ChooseFolder(std::string_view title) {
  log_ << QStringLiteral("ChooseFolder %1").arg(FromUtf8(title));
  return NextAnswer();
}

void ScriptedShell::ShowMessage(std::string_view text) { log_ << QStringLiteral("ShowMessage %1").arg(FromUtf8(text)); }

bool ScriptedShell::AskYesNo(std::string_view question) {
  log_ << QStringLiteral("AskYesNo %1").arg(FromUtf8(question));
  if (questionAnswers_.empty()) return false;
  const bool yes = questionAnswers_.front();
  questionAnswers_.pop_front();
  return yes;
}

void ScriptedShell::ShowAppMessage(const QString& text) {
  log_ << QStringLiteral("ShowAppMessage %1: %2").arg(QApplication::applicationName(), text);
}

QAction* ScriptedShell::RunMenu(QMenu& menu, const QPoint&) {
  QStringList items;
  for (const QAction* action : menu.actions()) items << action->text();
  log_ << QStringLiteral("RunMenu %1").arg(items.join(QLatin1Char('|')));
  if (menuAnswers_.empty()) return nullptr;
  const QString answer = menuAnswers_.front();
  menuAnswers_.pop_front();
  for (QAction* action : menu.actions()) {
    if (action->text() == answer) return action;
  }
  return nullptr;
}

int ScriptedShell::RunModal(QDialog& dialog) {
  log_ << QStringLiteral("RunModal %1").arg(dialog.windowTitle());
  return dialogHandler_ ? dialogHandler_(dialog) : QDialog::Rejected;
}

void ScriptedShell::ShowProgress(QDialog& progress) {
  log_ << QStringLiteral("ShowProgress %1").arg(progress.windowTitle());
  progress.show();
  if (progressHandler_) progressHandler_(progress);
}

void ScriptedShell::SetWaitCursor() {
  log_ << QStringLiteral("SetWaitCursor");
  ++waitCursorDepth_;
}

void ScriptedShell::RestoreCursor() {
  log_ << QStringLiteral("RestoreCursor");
  --waitCursorDepth_;
}

}  // namespace zelvane
