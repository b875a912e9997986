#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "res/resource_ids.h"
#include "tests/ui/ui_test_support.h"

namespace zelvane {

using test::SampleFile;
using test::SampleNames;
using test::ShownNumbers;

namespace {

const QString kPrompt = QStringLiteral("ChooseOpenFile 选择要导入的号码文件 文本文件(*.txt)");

// The analysis files: "larger" holds m1 with a country code, u1 and t; "smaller" only u1.
// "tie1" (u1 m1) and "tie2" (u1 t) have the same size.
QByteArray AnalysisFile(const QString& name) {
  if (name == "larger") return "+86" + SampleFile("m1 u1 t");
  if (name == "smaller") return SampleFile("u1");
  if (name == "tie1") return SampleFile("u1 m1");
  if (name == "tie2") return SampleFile("u1 t");
  return QByteArray();
}

// What the user sees of the main dialog besides the list: the boxes and the status line.
QString BoxesAndStatus(const CClassifierDlg& dialog) {
  QString state;
  for (const QCheckBox* box : dialog.findChildren<QCheckBox*>()) state += box->isChecked() ? "+" : "-";
  return state + " " + dialog.DlgItem<QLabel>(res::IDC_STATUS)->text();
}

// Runs the analysis dialog as the user would: "file 1" and "file 2" click a 选择 button, whose prompt
// takes the next prepared answer; "Enter" goes to the first file's edit; "Enter on <button>" to that
// button; anything else is a test::Act. A dialog left open is closed with Esc, and stillOpen says so.
void AnswerAnalysisDialog(ScriptedShell& shell, const QStringList& actions, bool* stillOpen = nullptr) {
  shell.HandleDialogsWith([actions, stillOpen](QDialog& shown) {
    auto& dialog = static_cast<TemplateDialog&>(shown);
    dialog.show();
    dialog.GetDlgItem(res::IDC_FILE1_EDIT)->setFocus();
    for (const QString& action : actions) {
      if (action == "file 1" || action == "file 2") {
        dialog.DlgItem<QPushButton>(action == "file 1" ? res::IDC_PICK_FILE1 : res::IDC_PICK_FILE2)->click();
      } else if (action.startsWith("Enter on ")) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
          if (button->text() == action.mid(9)) button->setFocus();
        }
        test::Act(dialog, "Enter");
      } else {
        test::Act(dialog, action);
      }
    }
    if (stillOpen) *stillOpen = dialog.isVisible();
    if (dialog.isVisible()) test::Act(dialog, "Esc");
    return dialog.result();
  });
}

// A main dialog whose list shows a c d, imported from a file.
struct Window {
  ScriptedShell shell;
  CClassifierDlg dialog{shell};
  test::TestFolder folder;

  Window() {
    test::Import(dialog, shell, folder.Write("numbers.txt", SampleFile("a c d")));
    for (const QString name : {"larger", "smaller", "tie1", "tie2"}) folder.Write(name + ".txt", AnalysisFile(name));
    shell.ClearLog();
  }

  // Clicks 号码分析 with the pickers answered by these files ("" cancels) and the dialog run by actions.
  void Analyse(const QStringList& files, const QStringList& actions, bool* stillOpen = nullptr) {
    for (const QString& file : files) {
      shell.AnswerNextPrompt(file.isEmpty() ? std::nullopt : std::optional(folder.PathOf(file)));
    }
    AnswerAnalysisDialog(shell, actions, stillOpen);
    dialog.DlgItem<QPushButton>(res::IDC_ANALYSIS)->click();
  }
};

}  // namespace

class AnalysisTest : public QObject {
  Q_OBJECT

 private slots:
  // The larger file is scanned, file 1 on a tie; its tokens are listed normalised, in file order.
  // The boxes, the status line and the category lists stay as they were.
  void ListsTheSelectedNumbersOfTheLargerFile_data() {
    QTest::addColumn<QString>("file1");
    QTest::addColumn<QString>("file2");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("shown");
    QTest::newRow("larger first, 找相同") << "larger"
                                          << "smaller"
                                          << "找相同"
                                          << "u1";
    QTest::newRow("larger first, 找不同") << "larger"
                                          << "smaller"
                                          << "找不同"
                                          << "m1 t";
    QTest::newRow("larger second, 找相同") << "smaller"
                                           << "larger"
                                           << "找相同"
                                           << "u1";
    QTest::newRow("larger second, 找不同") << "smaller"
                                           << "larger"
                                           << "找不同"
                                           << "m1 t";
    QTest::newRow("a tie, 找相同") << "tie1"
                                   << "tie2"
                                   << "找相同"
                                   << "u1";
    QTest::newRow("a tie: file 1 listed") << "tie1"
                                          << "tie2"
                                          << "找不同"
                                          << "m1";
    QTest::newRow("a tie the other way: file 1 listed") << "tie2"
                                                        << "tie1"
                                                        << "找不同"
                                                        << "t";
    QTest::newRow("the same file twice") << "larger"
                                         << "larger"
                                         << "找相同"
                                         << "m1 u1 t";
  }

  void ListsTheSelectedNumbersOfTheLargerFile() {
    QFETCH(QString, file1);
    QFETCH(QString, file2);
    QFETCH(QString, mode);
    QFETCH(QString, shown);
    Window window;
    const QString before = BoxesAndStatus(window.dialog);
    const CategoryCounts counts = window.dialog.Lists().Counts();

    window.Analyse({file1 + ".txt", file2 + ".txt"}, {"file 1", "file 2", mode});
    QCOMPARE(SampleNames(ShownNumbers(window.dialog)), shown);
    QCOMPARE(window.shell.Log(),
             (QStringList{"RunModal 号码分析", kPrompt, kPrompt}));
    QCOMPARE(BoxesAndStatus(window.dialog), before);
    QCOMPARE(window.dialog.Lists().Counts(), counts);
  }

  // Only 找相同 and 找不同 with both files chosen close the dialog with OK; otherwise the list keeps
  // what it showed.
  void ClosesOnlyThroughItsActionButtons_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<bool>("stillOpen");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("shown");
    const QStringList picked = {"RunModal 号码分析", kPrompt, kPrompt};
    const QString missing = QStringLiteral("ShowMessage 请选择两个需要进行比较的号码文件！");
    QTest::newRow("Esc") << QStringList{"larger.txt", "smaller.txt"} << QStringList{"file 1", "file 2", "Esc"} << false
                         << picked << "a c d";
    QTest::newRow("the close box") << QStringList{"larger.txt", "smaller.txt"}
                                   << QStringList{"file 1", "file 2", "close box"} << false << picked << "a c d";
    QTest::newRow("Enter on a file's edit does nothing")
        << QStringList{"larger.txt", "smaller.txt"} << QStringList{"file 1", "file 2", "Enter"} << true << picked
        << "a c d";
    QTest::newRow("Enter on 找不同 presses it")
        << QStringList{"larger.txt", "smaller.txt"} << QStringList{"file 1", "file 2", "Enter on 找不同"} << false
        << picked << "m1 t";
    QTest::newRow("找相同 without file 2") << QStringList{"larger.txt"} << QStringList{"file 1", "找相同"} << true
                                           << QStringList{"RunModal 号码分析", kPrompt, missing} << "a c d";
    QTest::newRow("找不同 without a file")
        << QStringList{} << QStringList{"找不同"} << true << QStringList{"RunModal 号码分析", missing} << "a c d";
    QTest::newRow("a cancelled pick keeps the earlier choice")
        << QStringList{"larger.txt", "smaller.txt", ""} << QStringList{"file 1", "file 2", "file 1", "找相同"} << false
        << QStringList{"RunModal 号码分析", kPrompt, kPrompt, kPrompt} << "u1";
  }

  void ClosesOnlyThroughItsActionButtons() {
    QFETCH(QStringList, files);
    QFETCH(QStringList, actions);
    QFETCH(bool, stillOpen);
    QFETCH(QStringList, log);
    QFETCH(QString, shown);
    Window window;
    bool open = false;
    window.Analyse(files, actions, &open);
    QCOMPARE(open, stillOpen);
    QCOMPARE(window.shell.Log(), log);
    QCOMPARE(SampleNames(ShownNumbers(window.dialog)), shown);
  }

  // A file that cannot be read is named with the reason, and the list keeps what it showed.
  void KeepsTheListWhenAFileCannotBeRead_data() {
    QTest::addColumn<QString>("file1");
    QTest::addColumn<QString>("file2");
    QTest::addColumn<QString>("failed");
    QTest::addColumn<QString>("reason");
    QTest::newRow("file 1 missing") << "gone.txt"
                                    << "larger.txt"
                                    << "gone.txt"
                                    << "文件或文件夹不存在";
    QTest::newRow("file 2 missing") << "larger.txt"
                                    << "gone.txt"
                                    << "gone.txt"
                                    << "文件或文件夹不存在";
    QTest::newRow("file 2 a folder") << "larger.txt"
                                     << "folder"
                                     << "folder"
                                     << "这是一个文件夹，不是文件";
  }

  void KeepsTheListWhenAFileCannotBeRead() {
    QFETCH(QString, file1);
    QFETCH(QString, file2);
    QFETCH(QString, failed);
    QFETCH(QString, reason);
    Window window;
    std::filesystem::create_directory(window.folder.PathOf("folder"));
    window.Analyse({file1, file2}, {"file 1", "file 2", "找不同"});
    QCOMPARE(window.shell.Log(), (QStringList{"RunModal 号码分析", kPrompt, kPrompt,
                                              QStringLiteral("ShowMessage 无法读取文件“%1”：%2")
                                                  .arg(test::PathText(window.folder.PathOf(failed)), reason)}));
    QCOMPARE(SampleNames(ShownNumbers(window.dialog)), QStringLiteral("a c d"));
  }

  // The result (m1 t) stays in the list until a command changes it: appends go after it, an import
  // merges into it, a rebuild replaces it.
  void KeepsTheResultUntilACommandChangesIt_data() {
    QTest::addColumn<QStringList>("clicksBefore");
    QTest::addColumn<QStringList>("clicksAfter");
    QTest::addColumn<QString>("imported");
    QTest::addColumn<QString>("shown");
    QTest::newRow("移动 ticked with 全部 clear: appended") << QStringList{"全部"} << QStringList{"移动"} << ""
                                                           << "m1 t a";
    QTest::newRow("移动 cleared again: rebuilt") << QStringList{"全部"} << QStringList{"移动", "移动"} << ""
                                                 << "";
    QTest::newRow("全部 cleared and ticked: rebuilt") << QStringList{} << QStringList{"全部", "全部"} << ""
                                                      << "a c d";
    QTest::newRow("an import: merged in") << QStringList{} << QStringList{} << "b"
                                          << "b m1 t";
  }

  void KeepsTheResultUntilACommandChangesIt() {
    QFETCH(QStringList, clicksBefore);
    QFETCH(QStringList, clicksAfter);
    QFETCH(QString, imported);
    QFETCH(QString, shown);
    Window window;
    for (const QString& click : clicksBefore) test::ClickBox(window.dialog, click);
    window.Analyse({"larger.txt", "smaller.txt"}, {"file 1", "file 2", "找不同"});
    for (const QString& click : clicksAfter) test::ClickBox(window.dialog, click);
    if (!imported.isEmpty())
      test::Import(window.dialog, window.shell, window.folder.Write("new.txt", SampleFile(imported)));
    QCOMPARE(SampleNames(ShownNumbers(window.dialog)), shown);
  }

  void ExportsTheResult() {
    Window window;
    window.Analyse({"larger.txt", "smaller.txt"}, {"file 1", "file 2", "找不同"});
    window.shell.AnswerNextPrompt(window.folder.PathOf("out.txt"));
    test::AnswerSeparatorDialog(window.shell, ",");
    window.dialog.DlgItem<QPushButton>(res::IDC_EXPORT)->click();
    QCOMPARE(window.folder.Read("out.txt"), test::SampleNumber("m1") + "," + test::SampleNumber("t") + ",");
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::AnalysisTest)
#include "analysis_test.moc"
