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
  // (where each number lands is the window logic's decision, tested there). Each file ends in tokens
  // shorter than four bytes, which are no numbers: a file of nothing else is still reported.
  // clang-format off
  void ImportsThroughThePrompt_data() {
    test::Columns<QString, QString, QString, QString, QString>({"first", "clicks", "second", "shown", "status"});
    QTest::newRow("全部, empty list: file order") << "" << "" << "m1 u1 t h o" << "m1 u1 t h o"
        << "当前共有5个号码，移动1个，联通1个，电信1个，小灵通1个，其他1个";
    QTest::newRow("only 移动: the others counted, not shown") << "" << "全部 移动" << "m1 u1 m2" << "m1 m2"
        << "当前共有3个号码，移动2个，联通1个，电信0个，小灵通0个，其他0个";
    QTest::newRow("a file without numbers") << "m1" << "" << "" << "m1"
        << "当前共有1个号码，移动1个，联通0个，电信0个，小灵通0个，其他0个";
  }
  // clang-format on

  void ImportsThroughThePrompt() {
    QFETCH(QString, first);
    QFETCH(QString, clicks);
    QFETCH(QString, second);
    QFETCH(QString, shown);
    QFETCH(QString, status);
    test::MainWindow window;
    const auto import = [&](const QString& names) {
      const QByteArray bytes = test::SampleFile(names) + "12,abc\r\n\r\n 9 ";  // no numbers at the end
      test::Import(window.dialog, window.shell, window.folder.Write("numbers.txt", bytes));
      return ImportLog(names.split(' ', Qt::SkipEmptyParts).size());
    };
    const QStringList firstLog = first.isEmpty() ? QStringList{} : import(first);
    test::ClickBoxes(window.dialog, clicks);

    const QStringList secondLog = import(second);
    QCOMPARE(ShownNames(window.dialog), shown);
    QCOMPARE(Status(window.dialog), status);
    QCOMPARE(window.shell.Log(), firstLog + secondLog);
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
