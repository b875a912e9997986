#include "ui/qt/qt_shell.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>

#include "ui/logic/remembered_choices.h"
#include "ui/qt/ui_text.h"

namespace zelvane {

namespace {

// The window a prompt or message belongs to: the modal dialog open now, else the active window.
QWidget* ActiveOwner() {
  QWidget* modal = QApplication::activeModalWidget();
  return modal ? modal : QApplication::activeWindow();
}

void ShowMessageBox(QWidget* owner, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
  box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
  box.exec();
}

}  // namespace

std::vector<std::filesystem::path> QtShell::RunPrompt(QFileDialog& prompt) {
  RememberedChoices remembered(m_settings);
  const std::optional<std::filesystem::path> folder = remembered.PromptFolder();
  prompt.setDirectory(folder ? QFile::decodeName(QByteArray::fromStdString(folder->string())) : QDir::currentPath());
  std::vector<std::filesystem::path> chosen;
  if (prompt.exec() != QDialog::Accepted) return chosen;
  for (const QString& file : prompt.selectedFiles()) {
    if (!file.isEmpty()) chosen.emplace_back(QFile::encodeName(file).toStdString());
  }
  if (!chosen.empty()) remembered.SetPromptFolder(chosen.front(), prompt.fileMode() == QFileDialog::Directory);
  return chosen;
}

std::optional<std::filesystem::path> QtShell::RunSinglePrompt(QFileDialog& prompt) {
  std::vector<std::filesystem::path> chosen = RunPrompt(prompt);
  if (chosen.empty()) return std::nullopt;
  return std::move(chosen.front());
}

std::optional<std::filesystem::path> QtShell::ChooseOpenFile(const FilePrompt& file) {
  QFileDialog prompt(ActiveOwner(), FromUtf8(file.title), QString(), FromUtf8(file.filter));
  prompt.setFileMode(QFileDialog::ExistingFile);
  return RunSinglePrompt(prompt);
}

std::vector<std::filesystem::path> QtShell::ChooseOpenFiles(const FilePrompt& file) {
  QFileDialog prompt(ActiveOwner(), FromUtf8(file.title), QString(), FromUtf8(file.filter));
  prompt.setFileMode(QFileDialog::ExistingFiles);
  return RunPrompt(prompt);
}

std::optional<SavedFile> QtShell::ChooseSaveFile(const FilePrompt& file) {
  QFileDialog prompt(ActiveOwner(), FromUtf8(file.title), QString(), FromUtf8(file.filter));
  prompt.setAcceptMode(QFileDialog::AcceptSave);
  const QStringList filters = prompt.nameFilters();
  // A name typed without an extension gets that of the type chosen, so that it names the format written.
  const auto suffixOf = [&file](const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : FromUtf8(file.defaultSuffix);
  };
  prompt.setDefaultSuffix(suffixOf(prompt.selectedNameFilter()));
  QObject::connect(&prompt, &QFileDialog::filterSelected,
                   [&](const QString& filter) { prompt.setDefaultSuffix(suffixOf(filter)); });
  std::optional<std::filesystem::path> path = RunSinglePrompt(prompt);
  if (!path) return std::nullopt;
  return SavedFile{std::move(*path),
                   static_cast<std::size_t>(std::max<qsizetype>(0, filters.indexOf(prompt.selectedNameFilter())))};
}

std::optional<std::filesystem::path> QtShell::ChooseFolder(std::string_view title) {
  QFileDialog prompt(ActiveOwner(), FromUtf8(title));
  prompt.setFileMode(QFileDialog::Directory);
  prompt.setOption(QFileDialog::ShowDirsOnly);
  return RunSinglePrompt(prompt);
}

void QtShell::ShowMessage(std::string_view text) {
  ShowMessageBox(ActiveOwner(), FromUtf8(kMessageCaption), FromUtf8(text));
}

bool QtShell::AskYesNo(std::string_view question) {
  QMessageBox box(QMessageBox::Question, FromUtf8(kMessageCaption), FromUtf8(question),
                  QMessageBox::Yes | QMessageBox::No, ActiveOwner());
  box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
  box.button(QMessageBox::No)->setText(QStringLiteral("否"));
  box.setDefaultButton(QMessageBox::No);  // Enter by habit keeps the numbers
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void QtShell::ShowAppMessage(const QString& text) { ShowMessageBox(nullptr, QApplication::applicationName(), text); }

QAction* QtShell::RunMenu(QMenu& menu, const QPoint& at) { return menu.exec(at); }

int QtShell::RunModal(QDialog& dialog) { return dialog.exec(); }

void QtShell::ShowProgress(QDialog& progress) { progress.open(); }

void QtShell::SetWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void QtShell::RestoreCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace zelvane
