#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>
#include <array>
#include <filesystem>
#include <optional>

#include "tests/doubles/scripted_shell.h"
#include "ui/qt/classifier_dlg.h"
#include "ui/qt/number_list_view.h"
#include "ui/qt/ui_text.h"

class QCheckBox;

namespace zelvane::test {

// The columns of a data table, types and names in the same order: Columns<QString, int>({"text", "count"}).
template <class... Types>
void Columns(const std::array<const char*, sizeof...(Types)>& names) {
  std::size_t column = 0;
  (QTest::addColumn<Types>(names[column++]), ...);
}

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
// m1 m2 (移动), u1 u2 p q r (联通), t (电信), h (小灵通), o (其他), a b (移动), c (联通), d (其他);
// x y (其他 by the original table, 移动 and 电信 by today's).
QByteArray SampleNumber(const QString& name);
// The numbers of space-separated names as file contents, each followed by separator.
QByteArray SampleFile(const QString& names, const QByteArray& separator = "\r\n");

// What the dialog's list view shows, in order, as numbers and as sample names ("?" and the number
// for one without a name).
QStringList ShownNumbers(const CClassifierDlg& dialog);
QString ShownNames(const CClassifierDlg& dialog);
// The status line, and the check boxes as "+" ticked and "-" clear in creation order.
QString Status(const CClassifierDlg& dialog);
QString Boxes(const CClassifierDlg& dialog);

// The check box with this text, nullptr when there is none.
QCheckBox* Box(const CClassifierDlg& dialog, const QString& text);
// Clicks on the check boxes with these space-separated texts in turn, as the user makes them: each
// toggles, then notifies.
void ClickBoxes(CClassifierDlg& dialog, const QString& texts);

// A click on "导入" that the prompt answers with path; nullopt cancels it.
void Import(CClassifierDlg& dialog, ScriptedShell& shell, const std::optional<std::filesystem::path>& path);

// A main dialog on a scripted shell, with a folder for its files.
struct MainWindow {
  ScriptedShell shell;
  CClassifierDlg dialog{shell};
  TestFolder folder;

  // Imports a file of the named sample numbers.
  void ImportSamples(const QString& names, const QString& file = "numbers.txt");
  void Click(int button) const;
};

// Text typed into a widget as key events carrying it, which works for any character.
void Type(QWidget* widget, const QString& text);

// Key clicks such as "Home Shift+Down*2": each key with its modifiers, "*n" repeats it.
void Press(QWidget* widget, const QString& keys);

// Does to a shown dialog what the user would: "Enter" and "Esc" go to its focus widget, "close box"
// closes it, and anything else clicks the push button with that text.
void Act(QDialog& dialog, const QString& action);

// Answers the separator dialog of the next export: types separator, then acts ("确定", "Enter",
// "Esc", "close box"). "导出格式" before it is answered with Enter (the format offered, text at first);
// other dialogs are rejected.
void AnswerSeparatorDialog(ScriptedShell& shell, const QString& separator, const QString& action = "确定");

// Selected ranges as "begin-end", space-separated.
QString Describe(const RangeSelection& selection);

// count numbers (13900000000 on) in a list view of their own.
struct NumberView {
  explicit NumberView(std::size_t count);

  NumberListModel model;
  NumberListView view;
};

}  // namespace zelvane::test
