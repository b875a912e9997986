#include <QComboBox>
#include <QPushButton>
#include <QtTest>

#include "res/resource_ids.h"
#include "tests/ui/ui_test_support.h"
#include "ui/qt/overview_pane.h"

namespace zelvane {

using test::SampleFile;
using test::ShownNames;

namespace {

const QString kPrompt = QStringLiteral(
    "ChooseOpenFile 选择要导入的号码文件 号码文件(*.txt *.csv *.xlsx *.xlsm);;文本文件(*.txt);;CSV 文件(*.csv);;Excel "
    "工作簿(*.xlsx *.xlsm)");

// A main dialog whose list shows a c d, imported from a file, beside the analysis files: "larger"
// holds m1 with a country code, u1 and t; "smaller" only u1; "tie1" (u1 m1) and "tie2" (u1 t) have
// the same size.
struct Window : test::MainWindow {
  Window() {
    ImportSamples("a c d");
    folder.Write("larger.txt", "+86" + SampleFile("m1 u1 t"));
    folder.Write("smaller.txt", SampleFile("u1"));
    folder.Write("tie1.txt", SampleFile("u1 m1"));
    folder.Write("tie2.txt", SampleFile("u1 t"));
    shell.ClearLog();
  }

  // Clicks 号码分析 with the pickers answered by these files ("" cancels) and the dialog run as the
  // user would: "file 1" and "file 2" click a 选择 button, whose prompt takes the next file; anything
  // else is a test::Act. A dialog left open is closed with Esc, and stillOpen says so.
  void Analyse(const QStringList& files, const QStringList& actions, bool* stillOpen = nullptr) {
    for (const QString& file : files)
      shell.AnswerNextPrompt(file.isEmpty() ? std::nullopt : std::optional(folder.PathOf(file)));
    shell.HandleDialogsWith([actions, stillOpen](QDialog& shown) {
      auto& analysis = static_cast<TemplateDialog&>(shown);
      analysis.show();
      for (const QString& action : actions) {
        if (action == "file 1" || action == "file 2") {
          analysis.DlgItem<QPushButton>(action == "file 1" ? res::IDC_PICK_FILE1 : res::IDC_PICK_FILE2)->click();
        } else {
          test::Act(analysis, action);
        }
      }
      if (stillOpen) *stillOpen = analysis.isVisible();
      if (analysis.isVisible()) test::Act(analysis, "Esc");
      return analysis.result();
    });
    Click(res::IDC_ANALYSIS);
  }
};

}  // namespace

class AnalysisTest : public QObject {
  Q_OBJECT

 private slots:
  // The larger file is scanned, file 1 on a tie; its tokens are listed normalised, in file order, and
  // the message says what was found and which file's numbers are listed (the counts kept: the logic
  // suite). While the list holds the result the boxes show clear, the area choice is disabled and the status
  // line says so. A box clicked shows the lists again, as the boxes now say.
  // clang-format off
  void ListsTheSelectedNumbersOfTheLargerFile_data() {
    test::Columns<QString, QString, QString, QString, QString>({"file1", "file2", "mode", "shown", "found"});
    QTest::newRow("larger first, 找不同") << "larger" << "smaller" << "找不同" << "m1 t" << "找到2个不同的号码";
    QTest::newRow("larger second, 找相同") << "smaller" << "larger" << "找相同" << "u1" << "找到1个相同的号码";
    QTest::newRow("a tie: file 1 listed") << "tie1" << "tie2" << "找不同" << "m1" << "找到1个不同的号码";
    QTest::newRow("a tie the other way: file 1 listed") << "tie2" << "tie1" << "找不同" << "t" << "找到1个不同的号码";
  }
  // clang-format on

  void ListsTheSelectedNumbersOfTheLargerFile() {
    QFETCH(QString, file1);
    QFETCH(QString, file2);
    QFETCH(QString, mode);
    QFETCH(QString, shown);
    QFETCH(QString, found);
    Window window;
    const QString before = test::Boxes(window.dialog) + test::Status(window.dialog);
    QComboBox* areas = window.dialog.findChild<COverviewPane*>()->AreaChoice();

    window.Analyse({file1 + ".txt", file2 + ".txt"}, {"file 1", "file 2", mode});
    const QString listed = "“" + (file1 == "smaller" ? file2 : file1) + ".txt”";
    QCOMPARE(ShownNames(window.dialog), shown);
    QCOMPARE(window.shell.Log(),
             (QStringList{"RunModal 号码分析", kPrompt, kPrompt,
                          "ShowMessage " + found + "\n列表中是" + listed + "（两个文件中较大的一个）中的号码"}));
    QCOMPARE(test::Boxes(window.dialog), QStringLiteral("------"));
    QVERIFY(!areas->isEnabled());
    QCOMPARE(test::Status(window.dialog),
             "号码分析的结果：" + listed + "中" + found + "。点选上方的类别可回到号码列表");

    test::ClickBoxes(window.dialog, "全部");
    QCOMPARE(test::Boxes(window.dialog) + test::Status(window.dialog), before);
    QCOMPARE(ShownNames(window.dialog), QStringLiteral("a c d"));
    QVERIFY(areas->isEnabled());
  }

  // Only 找相同 and 找不同 with both files chosen close the dialog with OK; otherwise, or when a file
  // cannot be read (named with the reason), the list keeps what it showed. Enter and Esc work as in
  // every dialog (info_dialogs_test).
  // clang-format off
  void KeepsTheListUnlessBothFilesAreCompared_data() {
    test::Columns<QStringList, QStringList, bool, QStringList, QString>(
        {"files", "actions", "stillOpen", "log", "shown"});
    const QStringList both = {"larger.txt", "smaller.txt"};
    const QStringList picked = {"RunModal 号码分析", kPrompt, kPrompt};
    const QString missing = QStringLiteral("ShowMessage 请选择两个需要进行比较的号码文件！");
    QTest::newRow("Esc") << both << QStringList{"file 1", "file 2", "Esc"} << false << picked << "a c d";
    QTest::newRow("找相同 without file 2") << QStringList{"larger.txt"} << QStringList{"file 1", "找相同"} << true
                                           << QStringList{"RunModal 号码分析", kPrompt, missing} << "a c d";
    QTest::newRow("找不同 without a file")
        << QStringList{} << QStringList{"找不同"} << true << QStringList{"RunModal 号码分析", missing} << "a c d";
    QTest::newRow("a cancelled pick keeps the earlier choice")
        << both + QStringList{""} << QStringList{"file 1", "file 2", "file 1", "找相同"} << false
        << picked + QStringList{kPrompt, "ShowMessage 找到1个相同的号码\n列表中是“larger.txt”（两个文件中较大的一个）中的号码"}
        << "u1";
    const QString unreadable = QStringLiteral("ShowMessage 无法读取文件“<gone>”：文件或文件夹不存在");
    QTest::newRow("file 1 missing") << QStringList{"gone.txt", "larger.txt"} << QStringList{"file 1", "file 2", "找不同"}
                                    << false << picked + QStringList{unreadable} << "a c d";
  }
  // clang-format on

  void KeepsTheListUnlessBothFilesAreCompared() {
    QFETCH(QStringList, files);
    QFETCH(QStringList, actions);
    QFETCH(bool, stillOpen);
    QFETCH(QStringList, log);
    QFETCH(QString, shown);
    Window window;
    bool open = false;
    window.Analyse(files, actions, &open);
    QCOMPARE(open, stillOpen);
    QCOMPARE(window.shell.Log(), log.replaceInStrings("<gone>", PathText(window.folder.PathOf("gone.txt"))));
    QCOMPARE(ShownNames(window.dialog), shown);
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::AnalysisTest)
#include "analysis_test.moc"
