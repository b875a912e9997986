#include <QtTest>

#include "tests/ui/ui_test_support.h"

namespace zelvane {

using test::ClickBox;
using test::SampleFile;
using test::SampleNames;
using test::ShownNumbers;

class FilterTest : public QObject {
  Q_OBJECT

 private slots:
  // 移动 holds a and b, 联通 c, 其他 d, imported in the order "a c b d" with only "全部" ticked.
  // Each click is one box; after each, the list shows the numbers named in expected.
  void ShowsTheTickedCategories_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("walk-through") << QStringList{"全部", "其他", "移动", "其他", "全部", "全部"}
                                  << QStringList{"", "d", "d a b", "a b", "a b c d", "a b"};
    QTest::newRow("appends follow the ticks until a rebuild")
        << QStringList{"全部", "其他", "移动", "联通", "联通"} << QStringList{"", "d", "d a b", "d a b c", "a b d"};
    QTest::newRow("boxes clicked under 全部 change nothing until it is cleared")
        << QStringList{"移动", "联通", "移动", "全部"} << QStringList{"a c b d", "a c b d", "a c b d", "c"};
    QTest::newRow("ticking 全部 rebuilds in category order")
        << QStringList{"全部", "全部"} << QStringList{"", "a b c d"};
    QTest::newRow("a ticked box is not appended twice")
        << QStringList{"全部", "移动", "其他", "电信", "小灵通"} << QStringList{"", "a b", "a b d", "a b d", "a b d"};
  }

  void ShowsTheTickedCategories() {
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, expected);
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    test::TestFolder folder;
    test::Import(dialog, shell, folder.Write("numbers.txt", SampleFile("a c b d")));
    const CategoryCounts counts = dialog.Lists().Counts();
    for (qsizetype i = 0; i < clicks.size(); ++i) {
      ClickBox(dialog, clicks[i]);
      QCOMPARE(SampleNames(ShownNumbers(dialog)), expected[i]);
    }
    QCOMPARE(dialog.Lists().Counts(), counts);
  }

  void ShowsNothingBeforeTheFirstImport_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::newRow("all boxes in turn") << QStringList{"全部", "移动", "联通", "电信", "小灵通", "其他", "全部"};
    QTest::newRow("category boxes under 全部") << QStringList{"移动", "其他", "全部", "移动"};
  }

  void ShowsNothingBeforeTheFirstImport() {
    QFETCH(QStringList, clicks);
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    for (const QString& click : clicks) {
      ClickBox(dialog, click);
      QVERIFY(ShownNumbers(dialog).isEmpty());
    }
    QVERIFY(shell.Log().isEmpty());
  }

  void ShowsANumberImportedTwiceTwice() {
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    test::TestFolder folder;
    const std::filesystem::path file = folder.Write("numbers.txt", SampleFile("a c"));
    test::Import(dialog, shell, file);
    test::Import(dialog, shell, file);
    ClickBox(dialog, "全部");
    ClickBox(dialog, "移动");
    QCOMPARE(SampleNames(ShownNumbers(dialog)), QStringLiteral("a a"));
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::FilterTest)
#include "filter_test.moc"
