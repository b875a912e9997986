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

}  // namespace zelvane::test
