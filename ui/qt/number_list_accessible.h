#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace zelvane {

class NumberListView;

// The number list view as assistive technology sees it: a list whose children are the items in
// view, each with its text and its selected and focused state. Item interfaces are made when
// asked for and dropped once scrolled away, so a list of ten million items costs no more than
// one screenful.
class NumberListAccessible : public QAccessibleWidget {
 public:
  explicit NumberListAccessible(NumberListView* view);
  ~NumberListAccessible() override;

  QAccessible::State state() const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;

  NumberListView* View() const;

 private:
  QAccessibleInterface* ItemInterface(std::size_t item) const;
  void DropItemsOutOfView() const;

  mutable QHash<std::size_t, QAccessible::Id> m_items;
};

// Installed as an accessibility factory: the interface of a NumberListView.
QAccessibleInterface* CreateNumberListAccessible(const QString& className, QObject* object);

}  // namespace zelvane
