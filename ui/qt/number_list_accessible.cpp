#include "ui/qt/number_list_accessible.h"

#include "ui/qt/number_list_view.h"

namespace zelvane {

namespace {

bool IsShown(const NumberListView& view, std::size_t item) {
  const std::size_t first = view.FirstShownItem();
  return item >= first && item - first < view.ShownItemCount();
}

// One item of the list: its text and state are read from the view whenever asked.
class NumberListItemAccessible final : public QAccessibleInterface {
 public:
  NumberListItemAccessible(NumberListView* view, std::size_t item) : m_view(view), m_item(item) {}

  std::size_t Item() const { return m_item; }

  bool isValid() const override { return m_view && m_view->Model() && m_item < m_view->Model()->size(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_view); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }

  QString text(QAccessible::Text type) const override {
    return type == QAccessible::Name && isValid() ? m_view->Model()->Text(m_item) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override {
    if (!isValid()) return QRect();
    const QRect local = m_view->ItemRect(m_item);
    return QRect(m_view->viewport()->mapToGlobal(local.topLeft()), local.size());
  }

  QAccessible::Role role() const override { return QAccessible::ListItem; }

  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) {
      state.invalid = true;
      return state;
    }
    state.selectable = true;
    state.focusable = true;
    state.selected = m_view->Selection().Contains(m_item);
    state.focused = m_view->hasFocus() && m_view->CurrentItem() == m_item;
    state.invisible = !IsShown(*m_view, m_item);
    return state;
  }

 private:
  QPointer<NumberListView> m_view;
  std::size_t m_item;
};

}  // namespace

NumberListAccessible::NumberListAccessible(NumberListView* view) : QAccessibleWidget(view, QAccessible::List) {}

NumberListAccessible::~NumberListAccessible() {
  for (QAccessible::Id id : std::as_const(m_items)) QAccessible::deleteAccessibleInterface(id);
}

NumberListView* NumberListAccessible::View() const { return static_cast<NumberListView*>(widget()); }

QAccessible::State NumberListAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.multiSelectable = true;
  return state;
}

int NumberListAccessible::childCount() const { return static_cast<int>(View()->ShownItemCount()); }

QAccessibleInterface* NumberListAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  return ItemInterface(View()->FirstShownItem() + static_cast<std::size_t>(index));
}

int NumberListAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const auto* item = dynamic_cast<const NumberListItemAccessible*>(child);
  if (!item || !IsShown(*View(), item->Item())) return -1;
  return static_cast<int>(item->Item() - View()->FirstShownItem());
}

QAccessibleInterface* NumberListAccessible::childAt(int x, int y) const {
  const std::size_t item = View()->ItemAt(View()->viewport()->mapFromGlobal(QPoint(x, y)));
  return item == NumberListView::kNoItem ? nullptr : ItemInterface(item);
}

QAccessibleInterface* NumberListAccessible::focusChild() const {
  const std::size_t current = View()->CurrentItem();
  if (!View()->hasFocus() || current == NumberListView::kNoItem || !IsShown(*View(), current)) return nullptr;
  return ItemInterface(current);
}

QAccessibleInterface* NumberListAccessible::ItemInterface(std::size_t item) const {
  DropItemsOutOfView();
  if (const auto found = m_items.constFind(item); found != m_items.cend()) {
    return QAccessible::accessibleInterface(*found);
  }
  auto* itemInterface = new NumberListItemAccessible(View(), item);
  m_items.insert(item, QAccessible::registerAccessibleInterface(itemInterface));
  return itemInterface;
}

void NumberListAccessible::DropItemsOutOfView() const {
  for (auto it = m_items.begin(); it != m_items.end();) {
    if (IsShown(*View(), it.key())) {
      ++it;
    } else {
      QAccessible::deleteAccessibleInterface(*it);
      it = m_items.erase(it);
    }
  }
}

QAccessibleInterface* CreateNumberListAccessible(const QString&, QObject* object) {
  auto* view = qobject_cast<NumberListView*>(object);
  return view ? new NumberListAccessible(view) : nullptr;
}

}  // namespace zelvane
