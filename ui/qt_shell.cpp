#include "ui/qt_shell.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "ui/ui_text.h"

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

std::optional<std::filesystem::path> QtShell::ChooseOpenFile(QWidget* owner, const QString& title,
                                                             const QString& filter) {
  return ToPath(QFileDialog::getOpenFileName(owner, title, QString(), filter));
}

std::optional<std::filesystem::path> QtShell::ChooseSaveFile(QWidget* owner, const QString& title,
                                                             const QString& filter, const QString& defaultSuffix) {
  QFileDialog dialog(owner, title, QString(), filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(defaultSuffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToPath(dialog.selectedFiles().front());
}

std::optional<std::filesystem::path> QtShell::ChooseFolder(QWidget* owner, const QString& title) {
  return ToPath(QFileDialog::getExistingDirectory(owner, title));
}

void QtShell::ShowMessage(QWidget* owner, const QString& text) {
  ShowMessageBox(owner, FromUtf8(kMessageCaption), text);
}

void QtShell::ShowAppMessage(const QString& text) { ShowMessageBox(nullptr, QApplication::applicationName(), text); }

int QtShell::RunModal(QDialog& dialog) { return dialog.exec(); }

void QtShell::SetWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void QtShell::RestoreCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace zelvane
