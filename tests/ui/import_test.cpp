#include <QtTest>

#include "tests/ui/ui_test_support.h"

namespace zelvane {

using test::ShownNames;
using test::Status;

namespace {

const QString kPrompt = QStringLiteral("ChooseOpenFile 选择要导入的号码文件 文本文件(*.txt)");

// The log of an import of a file with this many numbers.
QStringList ImportLog(qsizetype count) {
  return {kPrompt, QStringLiteral("SetWaitCursor"), QStringLiteral("RestoreCursor"),
          QStringLiteral("ShowMessage 共计导入%1个接收号码！").arg(count)};
}

}  // namespace

class ImportTest : public QObject {
  Q_OBJECT

 private slots:
  // A first file is imported with only "全部" ticked, the boxes are clicked, then a second file is
  // imported: each of its numbers lands at its ordinal as the boxes allow. Each file ends in tokens
  // shorter than four bytes, which are no numbers: a file of nothing else is still reported and sets
  // the status. A file imported twice counts twice.
  // clang-format off
  void InsertsEachNumberAtItsOrdinal_data() {
    test::Columns<QString, QString, QString, QString, QString>({"first", "clicks", "second", "shown", "status"});
    QTest::newRow("全部, empty list: file order") << "" << "" << "m1 u1 t h o" << "m1 u1 t h o"
        << "当前共有5个号码，移动1个，联通1个，电信1个，小灵通1个，其他1个";
    QTest::newRow("only 移动: the others counted, not shown") << "" << "全部 移动" << "m1 u1 m2" << "m1 m2"
        << "当前共有3个号码，移动2个，联通1个，电信0个，小灵通0个，其他0个";
    QTest::newRow("only 联通 over p q r: p u1 q u2 r") << "p q r" << "联通 全部" << "m1 u1 m2 u2" << "p u1 q u2 r"
        << "当前共有7个号码，移动2个，联通5个，电信0个，小灵通0个，其他0个";
    QTest::newRow("the same file twice") << "m1 u1 o" << "" << "m1 u1 o" << "m1 u1 o m1 u1 o"
        << "当前共有6个号码，移动2个，联通2个，电信0个，小灵通0个，其他2个";
    QTest::newRow("a file without numbers") << "m1" << "" << "" << "m1"
        << "当前共有1个号码，移动1个，联通0个，电信0个，小灵通0个，其他0个";
  }
  // clang-format on

  void InsertsEachNumberAtItsOrdinal() {
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

  // A file that cannot be read is named with the reason, and a cancelled prompt ends the import;
  // nothing else changes.
  // clang-format off
  void ChangesNothingWithoutAReadableFile_data() {
    test::Columns<QString, QString>({"name", "reason"});
    QTest::newRow("missing") << "missing.txt" << "文件或文件夹不存在";
    QTest::newRow("the prompt cancelled") << "" << "";
  }
  // clang-format on

  void ChangesNothingWithoutAReadableFile() {
    QFETCH(QString, name);
    QFETCH(QString, reason);
    test::MainWindow window;
    window.ImportSamples("m1 u1");
    std::filesystem::create_directory(window.folder.PathOf("folder"));
    const QString before = Status(window.dialog);
    const CategoryCounts counts = window.dialog.Lists().Counts();
    window.shell.ClearLog();

    const std::filesystem::path path = window.folder.PathOf(name);
    test::Import(window.dialog, window.shell, name.isEmpty() ? std::nullopt : std::optional(path));
    const QString message = QStringLiteral("ShowMessage 无法读取文件“%1”：%2").arg(PathText(path), reason);
    QCOMPARE(window.shell.Log(),
             (name.isEmpty() ? QStringList{kPrompt} : QStringList{kPrompt, "SetWaitCursor", "RestoreCursor", message}));
    QCOMPARE(ShownNames(window.dialog), QStringLiteral("m1 u1"));
    QCOMPARE(Status(window.dialog), before);
    QCOMPARE(window.dialog.Lists().Counts(), counts);
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::ImportTest)
#include "import_test.moc"
