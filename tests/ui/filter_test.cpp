#include <QtTest>

#include "tests/ui/ui_test_support.h"

namespace zelvane {

class FilterTest : public QObject {
  Q_OBJECT

 private slots:
  // 移动 holds a and b, 联通 c, 其他 d, imported imports times in the order "a c b d" with only "全部"
  // ticked. Each click is one box; after each, the list shows the numbers named in expected. The
  // clicks change no category list and ask the user nothing.
  // clang-format off
  void ShowsTheTickedCategories_data() {
    test::Columns<int, QString, QStringList>({"imports", "clicks", "expected"});
    QTest::newRow("walk-through")
        << 1 << "全部 其他 移动 其他 全部 全部" << QStringList{"", "d", "d a b", "a b", "a b c d", "a b"};
    QTest::newRow("appends follow the ticks until a rebuild")
        << 1 << "全部 其他 移动 联通 联通" << QStringList{"", "d", "d a b", "d a b c", "a b d"};
    QTest::newRow("boxes clicked under 全部 change nothing until it is cleared")
        << 1 << "移动 联通 移动 全部" << QStringList{"a c b d", "a c b d", "a c b d", "c"};
  }
  // clang-format on

  void ShowsTheTickedCategories() {
    QFETCH(int, imports);
    QFETCH(QString, clicks);
    QFETCH(QStringList, expected);
    test::MainWindow window;
    for (int i = 0; i < imports; ++i) window.ImportSamples("a c b d");
    const CategoryCounts counts = window.dialog.Lists().Counts();
    window.shell.ClearLog();
    const QStringList boxes = clicks.split(' ');
    for (qsizetype i = 0; i < boxes.size(); ++i) {
      test::ClickBoxes(window.dialog, boxes[i]);
      QCOMPARE(test::ShownNames(window.dialog), expected[i]);
    }
    QCOMPARE(window.dialog.Lists().Counts(), counts);
    QVERIFY(window.shell.Log().isEmpty());
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::FilterTest)
#include "filter_test.moc"
