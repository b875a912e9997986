#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <filesystem>

#include "ui/classifier_dlg.h"
#include "ui/scripted_shell.h"

namespace zelvane::test {

// Files in a fresh temporary folder, removed with it.
class TestFolder {
 public:
  std::filesystem::path Write(const QString& name, const QByteArray& bytes) const;
  std::filesystem::path PathOf(const QString& name) const;
  // The file's bytes; "<missing>" when there is no such file.
  QByteArray Read(const QString& name) const;

 private:
  QTemporaryDir m_dir;
};

// Sample numbers named by short letters, so that table rows read like the cases they test:
// m1 m2 (移动), u1 u2 p q r (联通), t (电信), h (小灵通), o (其他), a b (移动), c (联通), d (其他).
QByteArray SampleNumber(const QString& name);
// The numbers of space-separated names as file contents, one a line.
QByteArray SampleFile(const QString& names);
// The names of numbers, space-separated, back from their texts.
QString SampleNames(const QStringList& numbers);

// What the dialog's list view shows, in order.
QStringList ShownNumbers(const CClassifierDlg& dialog);

// A click on the check box with this text, as the user makes it: it toggles, then notifies.
void ClickBox(CClassifierDlg& dialog, const QString& text);

// A click on "导入" that the prompt answers with path.
void Import(CClassifierDlg& dialog, ScriptedShell& shell, const std::filesystem::path& path);

// A path as the messages show it.
QString PathText(const std::filesystem::path& path);

// Text typed into a widget as key events carrying it, which works for any character.
void Type(QWidget* widget, const QString& text);

// Does to a shown dialog what the user would: "Enter" and "Esc" go to its focus widget, "close box"
// closes it, and anything else clicks the push button with that text.
void Act(QDialog& dialog, const QString& action);

// Answers the separator dialog of the next export: types separator, then acts ("确定", "Enter",
// "Esc", "close box"). Other dialogs are rejected.
void AnswerSeparatorDialog(ScriptedShell& shell, const QString& separator, const QString& action = "确定");

}  // namespace zelvane::test
