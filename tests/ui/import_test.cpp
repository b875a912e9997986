#include <QtTest>

#include "tests/ui/ui_test_support.h"

namespace zelvane {

using test::ShownNames;
using test::Status;

namespace {

const QString kPrompt = QStringLiteral(
    "ChooseOpenFiles 选择要导入的号码文件 号码文件(*.txt *.csv *.xlsx *.xlsm);;文本文件(*.txt);;CSV 文件(*.csv);;Excel "
    "工作簿(*.xlsx *.xlsm)");

// The log of an import of a file with this many numbers.
QStringList ImportLog(qsizetype count) {
  return {kPrompt, QStringLiteral("SetWaitCursor"), QStringLiteral("RestoreCursor"),
          QStringLiteral("ShowMessage 共计导入%1个接收号码！").arg(count)};
}

}  // namespace

class ImportTest : public QObject {
  Q_OBJECT

 private slots:
  // 导入 through the prompt, with the wait cursor: the list, the status line and the message follow
  // (where each number lands, with boxes cleared too, is the window logic's decision, tested there).
  // The file ends in tokens shorter than four bytes, which are no numbers.
  void ImportsThroughThePrompt() {
    test::MainWindow window;
    const QByteArray bytes = test::SampleFile("m1 u1 t h o") + "12,abc\r\n\r\n 9 ";
    test::Import(window.dialog, window.shell, window.folder.Write("numbers.txt", bytes));
    QCOMPARE(ShownNames(window.dialog), QStringLiteral("m1 u1 t h o"));
    QCOMPARE(Status(window.dialog), QStringLiteral("当前共有5个号码，移动1个，联通1个，电信1个，小灵通1个，其他1个"));
    QCOMPARE(window.shell.Log(), ImportLog(5));
  }

  // Several files chosen in the prompt at once are imported in order, with one message for them all.
  void ImportsSeveralChosenFilesInOrder() {
    test::MainWindow window, dropped;
    const std::vector<std::filesystem::path> files = {window.folder.Write("b.txt", test::SampleFile("u1 t")),
                                                      window.folder.Write("a.txt", test::SampleFile("m1 h o"))};
    window.shell.AnswerNextFiles(files);
    window.Click(res::IDC_IMPORT);
    dropped.dialog.ImportFiles(files);
    QCOMPARE(ShownNames(window.dialog), ShownNames(dropped.dialog));
    QCOMPARE(window.shell.Log(), ImportLog(5));
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::ImportTest)
#include "import_test.moc"
