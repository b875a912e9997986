#include <QAccessible>
#include <QtTest>
#include <memory>

#include "tests/ui/ui_test_support.h"

namespace zelvane {

class NumberListAccessibleTest : public QObject {
  Q_OBJECT

 private:
  void MakeView(std::size_t count) {
    m_numbers = std::make_unique<test::NumberView>(count);
    m_view = &m_numbers->view;
    m_model = &m_numbers->model;
    m_view->resize(400, 200);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    m_view->activateWindow();
    m_view->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(m_view));
  }

  QAccessibleInterface* List() const { return QAccessible::queryAccessibleInterface(m_view); }

  std::unique_ptr<test::NumberView> m_numbers;
  NumberListView* m_view = nullptr;
  NumberListModel* m_model = nullptr;

 private slots:
  void cleanup() { m_numbers.reset(); }

  // Only what is in view becomes a child, however long the list.
  void ExposesAListOfTheItemsInView_data() {
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << 0;
    QTest::newRow("fewer than fit") << 7;
    QTest::newRow("a million") << 1000000;
  }

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
      QCOMPARE(item->text(QAccessible::Name), m_model->Text(std::size_t(index)));
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
    QCOMPARE(list->child(0)->text(QAccessible::Name), m_model->Text(first));
    QAccessibleInterface* last = list->child(list->childCount() - 1);
    QCOMPARE(last->text(QAccessible::Name), m_model->Text(999));
    QVERIFY(last->state().focused);
    QCOMPARE(list->focusChild(), last);
  }

  void ReportsSelectionAndFocus() {
    MakeView(50);
    test::Press(m_view, "Home Shift+Down Ctrl+Down");
    QAccessibleInterface* list = List();
    QVERIFY(list->child(0)->state().selected);
    QVERIFY(list->child(1)->state().selected);
    QVERIFY(!list->child(2)->state().selected);
    QVERIFY(list->child(2)->state().focused);
    QVERIFY(!list->child(1)->state().focused);
    QVERIFY(list->child(2)->state().selectable);
  }

  void FindsTheItemAtAScreenPoint() {
    MakeView(50);
    const QRect rect = m_view->ItemRect(12);
    QAccessibleInterface* item = List()->childAt(m_view->viewport()->mapToGlobal(rect.center()).x(),
                                                 m_view->viewport()->mapToGlobal(rect.center()).y());
    QVERIFY(item);
    QCOMPARE(item->text(QAccessible::Name), m_model->Text(12));
    QCOMPARE(item->rect().center(), m_view->viewport()->mapToGlobal(rect.center()));
  }

  // An item that left the list reports itself invalid rather than stale text.
  void DropsItemsThatAreGone() {
    MakeView(50);
    QAccessibleInterface* item = List()->child(30);
    QVERIFY(item->isValid());
    m_model->ShowCategories({false, true, false, false, false});  // only 联通, which is empty
    QCOMPARE(List()->childCount(), 0);
    QVERIFY(!item->isValid());
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::NumberListAccessibleTest)
#include "number_list_accessible_test.moc"
