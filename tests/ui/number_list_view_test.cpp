#include <QAccessible>
#include <QClipboard>
#include <QScrollBar>
#include <QtTest>
#include <memory>

#include "tests/ui/ui_test_support.h"

namespace zelvane {

using test::Describe;
using test::Press;

constexpr int kRows = 10;
constexpr int kFullColumns = 4;

class NumberListViewTest : public QObject {
  Q_OBJECT

 private:
  // A view of count numbers, kRows to a column, kFullColumns whole columns and half a column in view.
  void MakeView(std::size_t count) {
    m_numbers = std::make_unique<test::NumberView>(count);
    m_view = &m_numbers->view;
    // Cells taller than the scroll bar: the view holds kRows a column with the bar and without.
    QFont font = m_view->font();
    font.setPixelSize(24);
    m_view->setFont(font);
    const QSize cell = m_view->CellSize();
    const int frame = 2 * m_view->frameWidth();
    const int bar = m_view->horizontalScrollBar()->sizeHint().height();
    QVERIFY(bar < cell.height());
    m_view->resize(frame + kFullColumns * cell.width() + cell.width() / 2,
                   frame + kRows * cell.height() + (cell.height() + bar) / 2);
    m_view->show();
    m_view->activateWindow();
    m_view->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(m_view));
    QCOMPARE(m_view->ItemsPerColumn(), std::size_t{kRows});
  }

  QAccessibleInterface* List() const { return QAccessible::queryAccessibleInterface(m_view); }

  std::size_t FirstColumn() const { return static_cast<std::size_t>(m_view->horizontalScrollBar()->value()); }

  std::unique_ptr<test::NumberView> m_numbers;
  NumberListView* m_view = nullptr;

 private slots:
  void cleanup() { m_numbers.reset(); }

  void FlowsTopToBottomThenIntoTheNextColumn() {
    MakeView(95);
    const QRect first = m_view->ItemRect(0);
    QCOMPARE(m_view->ItemRect(1).topLeft(), first.bottomLeft() + QPoint(0, 1));
    QCOMPARE(m_view->ItemRect(kRows).topLeft(), first.topRight() + QPoint(1, 0));
    for (std::size_t item : {0, 9, 10, 47, 49}) QCOMPARE(m_view->ItemAt(m_view->ItemRect(item).center()), item);
    QCOMPARE(m_view->ItemAt(QPoint(1, kRows * m_view->CellSize().height() + 1)), NumberListView::kNoItem);
    // Five columns are at least partly in view.
    QCOMPARE(m_view->FirstShownItem(), std::size_t{0});
    QCOMPARE(m_view->ShownItemCount(), std::size_t{5 * kRows});
  }

  // clang-format off
  void ScrollsByColumns_data() {
    test::Columns<int, bool, int>({"count", "barShown", "lastFirstColumn"});
    QTest::newRow("everything fits: no scroll bar") << 40 << false << 0;
    QTest::newRow("one item more") << 41 << true << 1;
  }
  // clang-format on

  void ScrollsByColumns() {
    QFETCH(int, count);
    QFETCH(bool, barShown);
    QFETCH(int, lastFirstColumn);
    MakeView(static_cast<std::size_t>(count));
    QCOMPARE(m_view->horizontalScrollBar()->isVisible(), barShown);
    QCOMPARE(m_view->horizontalScrollBar()->maximum(), lastFirstColumn);
    QCOMPARE(m_view->horizontalScrollBar()->pageStep(), kFullColumns);
  }

  // clang-format off
  void NavigatesAndSelectsWithTheKeyboard_data() {
    test::Columns<QString, int, QString, int>({"keys", "current", "selection", "firstColumn"});
    QTest::newRow("the first key focuses the first item") << "Down" << 0 << "0-1" << 0;
    QTest::newRow("down from a column's end wraps") << "Home Down*10" << 10 << "10-11" << 0;
    QTest::newRow("up at the first item stays") << "Home Up" << 0 << "0-1" << 0;
    QTest::newRow("left in the first column stays") << "Home Down*3 Left" << 3 << "3-4" << 0;
    QTest::newRow("right into the short last column") << "Home Right*8 Down*8 Right" << 94 << "94-95" << 6;
    QTest::newRow("right in the last column stays") << "End Up Right" << 93 << "93-94" << 6;
    QTest::newRow("end scrolls to the last column") << "End" << 94 << "94-95" << 6;
    QTest::newRow("home scrolls back") << "End Home" << 0 << "0-1" << 0;
    QTest::newRow("page down moves the columns in view") << "Home PgDown" << 40 << "40-41" << 1;
    QTest::newRow("page up stops at the first item") << "Home Right*3 PgUp" << 0 << "0-1" << 0;
    QTest::newRow("shift extends from the anchor") << "Home Down Shift+Down*2" << 3 << "1-4" << 0;
    QTest::newRow("shift back across the anchor") << "Home Down*5 Shift+Up*3" << 2 << "2-6" << 0;
    QTest::newRow("ctrl moves the focus only") << "Home Ctrl+Down*2" << 2 << "0-1" << 0;
    QTest::newRow("ctrl+space adds the focused item") << "Home Ctrl+Down*2 Ctrl+Space" << 2 << "0-1 2-3" << 0;
    QTest::newRow("space selects only the focused item") << "Home Shift+Down*3 Space" << 3 << "3-4" << 0;
    QTest::newRow("ctrl+a selects everything") << "Home Ctrl+A" << 0 << "0-95" << 0;
  }
  // clang-format on

  void NavigatesAndSelectsWithTheKeyboard() {
    QFETCH(QString, keys);
    QFETCH(int, current);
    QFETCH(QString, selection);
    QFETCH(int, firstColumn);
    MakeView(95);
    Press(m_view, keys);
    QCOMPARE(m_view->CurrentItem(), std::size_t(current));
    QCOMPARE(Describe(m_view->Selection()), selection);
    QCOMPARE(FirstColumn(), std::size_t(firstColumn));
  }

  // clang-format off
  void SelectsWithTheMouse_data() {
    test::Columns<QString, QString>({"clicks", "selection"});
    QTest::newRow("a click selects one item") << "3 12" << "12-13";
    QTest::newRow("ctrl+click adds and removes") << "3 Ctrl+12 Ctrl+25 Ctrl+12" << "3-4 25-26";
    QTest::newRow("shift+click selects from the anchor") << "12 Shift+3" << "3-13";
    QTest::newRow("shift+click from a ctrl+clicked anchor") << "3 Ctrl+20 Shift+22" << "20-23";
    QTest::newRow("a click beside the items clears") << "3 Shift+12 none" << "";
    QTest::newRow("ctrl+click beside the items keeps") << "3 Ctrl+none" << "3-4";
  }
  // clang-format on

  void SelectsWithTheMouse() {
    QFETCH(QString, clicks);
    QFETCH(QString, selection);
    MakeView(45);  // the fifth column holds items 40 to 44, so there is room beside them
    for (const QString& click : clicks.split(QLatin1Char(' '))) {
      const Qt::KeyboardModifiers modifiers = click.startsWith(QLatin1String("Ctrl+"))    ? Qt::ControlModifier
                                              : click.startsWith(QLatin1String("Shift+")) ? Qt::ShiftModifier
                                                                                          : Qt::NoModifier;
      const QString target = click.section(QLatin1Char('+'), -1);
      const QPoint point = target == QLatin1String("none") ? m_view->ItemRect(49).topLeft() + QPoint(2, 2)
                                                           : m_view->ItemRect(target.toULongLong()).center();
      QTest::mouseClick(m_view->viewport(), Qt::LeftButton, modifiers, point);
    }
    QCOMPARE(Describe(m_view->Selection()), selection);
  }

  void DraggingSelectsARange() {
    MakeView(95);
    QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, m_view->ItemRect(2).center());
    QMouseEvent move(QEvent::MouseMove, m_view->ItemRect(13).center(),
                     m_view->viewport()->mapToGlobal(m_view->ItemRect(13).center()), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(m_view->viewport(), &move);
    QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, {}, m_view->ItemRect(13).center());
    QCOMPARE(Describe(m_view->Selection()), QStringLiteral("2-14"));
  }

  // The wheel turns the columns: the list has no other direction to go.
  void ScrollsColumnsWithTheWheel() {
    MakeView(95);
    const QPoint point = m_view->ItemRect(0).center();
    QWheelEvent down(point, m_view->viewport()->mapToGlobal(point), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_view->viewport(), &down);
    QVERIFY(FirstColumn() > 0);
    QCOMPARE(m_view->FirstShownItem(), FirstColumn() * kRows);
  }

  void CopiesTheSelectedNumbersOneALine() {
    MakeView(95);
    Press(m_view, QStringLiteral("Home Down Shift+Down*2 Ctrl+Down*3 Ctrl+Space Ctrl+C"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("13900000001\n13900000002\n13900000003\n13900000006"));
  }

  void KeepsTheSelectionWhenItemsAreAppended() {
    MakeView(30);
    Press(m_view, QStringLiteral("Home Shift+Down*2"));
    test::TestFolder folder;
    NumberFile file;
    QVERIFY(!file.Open(folder.Write("unicom.txt", "13000000001")));
    QVERIFY(!m_numbers->model.ImportFile(file, PrefixTable::Original(), nullptr));  // into the lists only
    QCOMPARE(Describe(m_view->Selection()), QStringLiteral("0-3"));
    m_numbers->model.AppendCategory(NumberCategory::Unicom);
    QCOMPARE(Describe(m_view->Selection()), QStringLiteral("0-3"));
    QCOMPARE(m_view->CurrentItem(), std::size_t{2});
    QCOMPARE(m_numbers->model.Text(30), QStringLiteral("13000000001"));
  }

  void StartsAfreshWhenTheContentsAreReplaced() {
    MakeView(95);
    Press(m_view, QStringLiteral("End Shift+Up"));
    m_numbers->model.ShowCategories({true, false, false, false, false});
    QCOMPARE(m_view->CurrentItem(), NumberListView::kNoItem);
    QVERIFY(m_view->Selection().Empty());
    QCOMPARE(FirstColumn(), std::size_t{0});
  }

  void FollowsItsHeight() {
    MakeView(95);
    m_view->resize(m_view->width(), m_view->height() + 10 * m_view->CellSize().height());
    QTRY_COMPARE(m_view->ItemsPerColumn(), std::size_t{2 * kRows});
    QCOMPARE(m_view->ItemRect(kRows).topLeft(), m_view->ItemRect(kRows - 1).bottomLeft() + QPoint(0, 1));
    QCOMPARE(m_view->horizontalScrollBar()->maximum(), 1);  // 5 columns, 4 in view
  }

  void PaintsTheSelectedItemsHighlighted() {
    MakeView(95);
    m_view->setFocus();
    Press(m_view, QStringLiteral("Home Down Shift+Down"));
    const QImage image = m_view->viewport()->grab().toImage();
    const auto background = [&](std::size_t item) {
      return QColor(image.pixel(m_view->ItemRect(item).topLeft() + QPoint(1, 1)));
    };
    const QPalette::ColorGroup group = m_view->hasFocus() ? QPalette::Active : QPalette::Inactive;
    QCOMPARE(background(1), m_view->palette().color(group, QPalette::Highlight));
    QCOMPARE(background(3), m_view->palette().color(QPalette::Base));
  }

  // Assistive technology sees a list whose children are only the items in view, however long it is.
  // clang-format off
  void ExposesAListOfTheItemsInView_data() {
    test::Columns<int>({"count"});
    QTest::newRow("fewer than fit") << 7;
    QTest::newRow("a million") << 1000000;
  }
  // clang-format on

  void ExposesAListOfTheItemsInView() {
    QFETCH(int, count);
    MakeView(static_cast<std::size_t>(count));
    QAccessibleInterface* list = List();
    QVERIFY(list);
    QCOMPARE(list->role(), QAccessible::List);
    QVERIFY(list->state().multiSelectable);
    QCOMPARE(std::size_t(list->childCount()), m_view->ShownItemCount());
    QVERIFY(list->childCount() <= std::min(count, 200));
    for (int index = 0; index < list->childCount(); ++index) {
      QAccessibleInterface* item = list->child(index);
      QCOMPARE(item->role(), QAccessible::ListItem);
      QCOMPARE(item->text(QAccessible::Name), m_numbers->model.Text(std::size_t(index)));
      QCOMPARE(item->parent(), list);
      QCOMPARE(list->indexOfChild(item), index);
    }
    QVERIFY(!list->child(list->childCount()));
  }

  void FollowsScrolling() {
    MakeView(1000);
    QTest::keyClick(m_view, Qt::Key_End);
    QAccessibleInterface* list = List();
    const std::size_t first = m_view->FirstShownItem();
    QVERIFY(first > 0);
    QCOMPARE(list->child(0)->text(QAccessible::Name), m_numbers->model.Text(first));
    QAccessibleInterface* last = list->child(list->childCount() - 1);
    QCOMPARE(last->text(QAccessible::Name), m_numbers->model.Text(999));
    QVERIFY(last->state().focused);
    QCOMPARE(list->focusChild(), last);
  }

  // Each item in view: selected and focused as the view has it, found at its screen point, and invalid
  // once it left the list (rather than reporting stale text).
  void ReportsItemsStateAndPlaceUntilTheyAreGone() {
    MakeView(50);
    Press(m_view, "Home Shift+Down Ctrl+Down");
    QAccessibleInterface* list = List();
    QVERIFY(list->child(0)->state().selected && list->child(1)->state().selected);
    QVERIFY(!list->child(2)->state().selected && list->child(2)->state().selectable);
    QVERIFY(list->child(2)->state().focused && !list->child(1)->state().focused);

    const QPoint center = m_view->viewport()->mapToGlobal(m_view->ItemRect(12).center());
    QAccessibleInterface* item = list->childAt(center.x(), center.y());
    QVERIFY(item);
    QCOMPARE(item->text(QAccessible::Name), m_numbers->model.Text(12));
    QCOMPARE(item->rect().center(), center);

    QAccessibleInterface* later = list->child(30);
    QVERIFY(later->isValid());
    m_numbers->model.ShowCategories({false, true, false, false, false});  // only 联通, which is empty
    QCOMPARE(List()->childCount(), 0);
    QVERIFY(!later->isValid());
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::NumberListViewTest)
#include "number_list_view_test.moc"
