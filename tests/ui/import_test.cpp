#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "res/resource_ids.h"
#include "tests/ui/ui_test_support.h"

namespace zelvane {

using test::ClickBox;
using test::SampleFile;
using test::SampleNames;
using test::ShownNumbers;

namespace {

const QString kPrompt = QStringLiteral("ChooseOpenFile 选择要导入的号码文件 文本文件(*.txt)");

QString Status(const CClassifierDlg& dialog) { return dialog.DlgItem<QLabel>(res::IDC_STATUS)->text(); }

QStringList SuccessfulImportLog(int count) {
  return {kPrompt, QStringLiteral("SetWaitCursor"), QStringLiteral("RestoreCursor"),
          QStringLiteral("ShowMessage 共计导入%1个接收号码！").arg(count)};
}

}  // namespace

class ImportTest : public QObject {
  Q_OBJECT

 private slots:
  // A first file is imported with only "全部" ticked, the boxes are clicked, then a second file is
  // imported: each of its numbers lands at its ordinal as the boxes allow.
  void InsertsEachNumberAtItsOrdinal_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("status");
    QTest::newRow("全部, empty list: file order") << "" << QStringList{} << "m1 u1 t h o"
                                                  << "m1 u1 t h o"
                                                  << "当前共有5个号码，移动1个，联通1个，电信1个，小灵通1个，其他1个";
    QTest::newRow("全部: the new numbers go first") << "p q" << QStringList{} << "m1 u1"
                                                    << "m1 u1 p q"
                                                    << "当前共有4个号码，移动1个，联通3个，电信0个，小灵通0个，其他0个";
    QTest::newRow("全部 and 移动: each number once")
        << "" << QStringList{"移动"} << "m1 u1 m2"
        << "m1 u1 m2"
        << "当前共有3个号码，移动2个，联通1个，电信0个，小灵通0个，其他0个";
    QTest::newRow("only 移动: the others counted, not shown")
        << "" << QStringList{"全部", "移动"} << "m1 u1 m2"
        << "m1 m2"
        << "当前共有3个号码，移动2个，联通1个，电信0个，小灵通0个，其他0个";
    QTest::newRow("no box: nothing shown, all counted")
        << "t" << QStringList{"全部"} << "m1 u1"
        << ""
        << "当前共有3个号码，移动1个，联通1个，电信1个，小灵通0个，其他0个";
    QTest::newRow("only 联通 over p q r: p u1 q u2 r")
        << "p q r" << QStringList{"联通", "全部"} << "m1 u1 m2 u2"
        << "p u1 q u2 r"
        << "当前共有7个号码，移动2个，联通5个，电信0个，小灵通0个，其他0个";
    QTest::newRow("an ordinal past the list's end: appended")
        << "p" << QStringList{"联通", "全部"} << "o o o u1"
        << "p u1"
        << "当前共有5个号码，移动0个，联通2个，电信0个，小灵通0个，其他3个";
  }

  void InsertsEachNumberAtItsOrdinal() {
    QFETCH(QString, first);
    QFETCH(QStringList, clicks);
    QFETCH(QString, second);
    QFETCH(QString, shown);
    QFETCH(QString, status);
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    test::TestFolder folder;
    if (!first.isEmpty()) test::Import(dialog, shell, folder.Write("first.txt", SampleFile(first)));
    for (const QString& click : clicks) ClickBox(dialog, click);
    shell.ClearLog();

    test::Import(dialog, shell, folder.Write("second.txt", SampleFile(second)));
    QCOMPARE(SampleNames(ShownNumbers(dialog)), shown);
    QCOMPARE(Status(dialog), status);
    QCOMPARE(shell.Log(), SuccessfulImportLog(int(second.split(' ').size())));
  }

  void CountsTheSameFileTwice() {
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    test::TestFolder folder;
    const std::filesystem::path file = folder.Write("numbers.txt", SampleFile("m1 u1 o"));
    test::Import(dialog, shell, file);
    test::Import(dialog, shell, file);
    QCOMPARE(SampleNames(ShownNumbers(dialog)), QStringLiteral("m1 u1 o m1 u1 o"));
    QCOMPARE(Status(dialog), QStringLiteral("当前共有6个号码，移动2个，联通2个，电信0个，小灵通0个，其他2个"));
    QCOMPARE(shell.Log(), SuccessfulImportLog(3) + SuccessfulImportLog(3));
  }

  // Tokens shorter than four bytes are no numbers; the import still reports and sets the status.
  void ReportsAFileWithoutNumbers() {
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    test::TestFolder folder;
    test::Import(dialog, shell, folder.Write("first.txt", SampleFile("m1")));
    shell.ClearLog();
    test::Import(dialog, shell, folder.Write("none.txt", "12,abc\r\n\r\n 9 "));
    QCOMPARE(SampleNames(ShownNumbers(dialog)), QStringLiteral("m1"));
    QCOMPARE(Status(dialog), QStringLiteral("当前共有1个号码，移动1个，联通0个，电信0个，小灵通0个，其他0个"));
    QCOMPARE(shell.Log(), SuccessfulImportLog(0));
  }

  // A file that cannot be read is named with the reason; nothing else changes.
  void ReportsAFileThatCannotBeRead_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "missing.txt"
                             << "文件或文件夹不存在";
    QTest::newRow("a folder") << "folder"
                              << "这是一个文件夹，不是文件";
  }

  void ReportsAFileThatCannotBeRead() {
    QFETCH(QString, name);
    QFETCH(QString, reason);
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    test::TestFolder folder;
    test::Import(dialog, shell, folder.Write("first.txt", SampleFile("m1 u1")));
    std::filesystem::create_directory(folder.PathOf("folder"));
    const QString before = Status(dialog);
    const CategoryCounts counts = dialog.Lists().Counts();
    shell.ClearLog();

    const std::filesystem::path path = folder.PathOf(name);
    test::Import(dialog, shell, path);
    QCOMPARE(
        shell.Log(),
        (QStringList{
            kPrompt, "SetWaitCursor", "RestoreCursor",
            QStringLiteral("ShowMessage 无法读取文件“%1”：%2").arg(QString::fromStdString(path.string()), reason)}));
    QCOMPARE(SampleNames(ShownNumbers(dialog)), QStringLiteral("m1 u1"));
    QCOMPARE(Status(dialog), before);
    QCOMPARE(dialog.Lists().Counts(), counts);
  }

  void DoesNothingWhenThePromptIsCancelled() {
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    test::TestFolder folder;
    test::Import(dialog, shell, folder.Write("first.txt", SampleFile("m1")));
    const QString before = Status(dialog);
    shell.ClearLog();

    shell.AnswerNextPrompt(std::nullopt);
    dialog.DlgItem<QPushButton>(res::IDC_IMPORT)->click();
    QCOMPARE(shell.Log(), QStringList{kPrompt});
    QCOMPARE(SampleNames(ShownNumbers(dialog)), QStringLiteral("m1"));
    QCOMPARE(Status(dialog), before);
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::ImportTest)
#include "import_test.moc"
