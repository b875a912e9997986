#include "ui/qt/range_selection.h"

#include <QtTest>

#include "tests/ui/ui_test_support.h"

namespace zelvane {

using test::Describe;

namespace {

// Runs a script of "+b-e" (select [b, e)), "-b-e" (deselect) and "^i" (toggle).
RangeSelection Run(const QString& script) {
  RangeSelection selection;
  for (const QString& step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const QStringList bounds = step.mid(1).split(QLatin1Char('-'));
    const std::size_t begin = bounds[0].toULongLong();
    switch (step[0].toLatin1()) {
      case '+': selection.Select(begin, bounds[1].toULongLong()); break;
      case '-': selection.Deselect(begin, bounds[1].toULongLong()); break;
      case '^': selection.Toggle(begin); break;
      default: qFatal("bad step");
    }
  }
  return selection;
}

}  // namespace

class RangeSelectionTest : public QObject {
  Q_OBJECT

 private slots:
  // clang-format off
  void KeepsSortedDisjointRanges_data() {
    test::Columns<QString, QString>({"script", "ranges"});
    QTest::newRow("adjacent ranges join") << "+0-3 +3-5" << "0-5";
    QTest::newRow("overlapping ranges join") << "+0-4 +2-6" << "0-6";
    QTest::newRow("one range bridges three") << "+0-2 +4-6 +8-10 +1-9" << "0-10";
    QTest::newRow("a range inside another adds nothing") << "+0-10 +3-4" << "0-10";
    QTest::newRow("disjoint ranges stay apart, sorted") << "+5-6 +0-1" << "0-1 5-6";
    QTest::newRow("deselecting the middle splits") << "+0-10 -3-5" << "0-3 5-10";
    QTest::newRow("deselecting across ranges trims and drops") << "+0-3 +5-8 +10-12 -2-11" << "0-2 11-12";
    QTest::newRow("deselecting beside a range changes nothing") << "+2-4 -4-9 -0-2" << "2-4";
    QTest::newRow("toggling a gap joins its neighbours") << "+0-3 +4-6 ^3" << "0-6";
    QTest::newRow("toggling inside splits") << "+0-6 ^3" << "0-3 4-6";
    QTest::newRow("empty ranges are ignored") << "+4-4 +7-5 -0-0" << "";
  }
  // clang-format on

  void KeepsSortedDisjointRanges() {
    QFETCH(QString, script);
    QFETCH(QString, ranges);
    QCOMPARE(Describe(Run(script)), ranges);
  }

  // Contains and Count agree with the ranges, at every item and at the edges.
  void AnswersMembershipFromTheRanges_data() { KeepsSortedDisjointRanges_data(); }

  void AnswersMembershipFromTheRanges() {
    QFETCH(QString, script);
    const RangeSelection selection = Run(script);
    std::size_t counted = 0;
    for (std::size_t item = 0; item < 20; ++item) {
      bool inside = false;
      for (const RangeSelection::Range& range : selection.Ranges())
        inside = inside || (item >= range.begin && item < range.end);
      QCOMPARE(selection.Contains(item), inside);
      counted += inside ? 1 : 0;
    }
    if (selection.Ranges().empty() || selection.Ranges().back().end <= 20) QCOMPARE(selection.Count(), counted);
    QCOMPARE(selection.Empty(), selection.Count() == 0);
  }
};

}  // namespace zelvane

QTEST_GUILESS_MAIN(zelvane::RangeSelectionTest)
#include "range_selection_test.moc"
