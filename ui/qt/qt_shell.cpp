#include "ui/qt/qt_shell.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "ui/logic/main_window_view.h"
#include "ui/logic/remembered_choices.h"
#include "ui/qt/ui_text.h"

namespace zelvane {

namespace {

std::optional<std::filesystem::path> ToPath(const QString& chosen) {
  if (chosen.isEmpty()) return std::nullopt;
  return std::filesystem::path(QFile::encodeName(chosen).toStdString());
}

void ShowMessageBox(QWidget* owner, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
  box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
  box.exec();
}

}  // namespace

std::optional<std::filesystem::path> QtShell::RunPrompt(QFileDialog& prompt) {
  RememberedChoices remembered(m_settings);
  const std::optional<std::filesystem::path> folder = remembered.PromptFolder();
  prompt.setDirectory(folder ? QFile::decodeName(QByteArray::fromStdString(folder->string())) : QDir::currentPath());
  if (prompt.exec() != QDialog::Accepted || prompt.selectedFiles().isEmpty()) return std::nullopt;
  const std::optional<std::filesystem::path> chosen = ToPath(prompt.selectedFiles().front());
  if (chosen) remembered.SetPromptFolder(*chosen, prompt.fileMode() == QFileDialog::Directory);
  return chosen;
}

std::optional<std::filesystem::path> QtShell::ChooseOpenFile(QWidget* owner, const FilePrompt& file) {
  QFileDialog prompt(owner, FromUtf8(file.title), QString(), FromUtf8(file.filter));
  prompt.setFileMode(QFileDialog::ExistingFile);
  return RunPrompt(prompt);
}

std::optional<std::filesystem::path> QtShell::ChooseSaveFile(QWidget* owner, const FilePrompt& file) {
  QFileDialog prompt(owner, FromUtf8(file.title), QString(), FromUtf8(file.filter));
  prompt.setAcceptMode(QFileDialog::AcceptSave);
  prompt.setDefaultSuffix(FromUtf8(file.defaultSuffix));
  return RunPrompt(prompt);
}

std::optional<std::filesystem::path> QtShell::ChooseFolder(QWidget* owner, std::string_view title) {
  QFileDialog prompt(owner, FromUtf8(title));
  prompt.setFileMode(QFileDialog::Directory);
  prompt.setOption(QFileDialog::ShowDirsOnly);
  return RunPrompt(prompt);
}

void QtShell::ShowMessage(QWidget* owner, const QString& text) {
  ShowMessageBox(owner, FromUtf8(kMessageCaption), text);
}

void QtShell::ShowAppMessage(const QString& text) { ShowMessageBox(nullptr, QApplication::applicationName(), text); }

QAction* QtShell::RunMenu(QMenu& menu, const QPoint& at) { return menu.exec(at); }

int QtShell::RunModal(QDialog& dialog) { return dialog.exec(); }

void QtShell::ShowProgress(QDialog& progress) { progress.open(); }

void QtShell::SetWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void QtShell::RestoreCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace zelvane
