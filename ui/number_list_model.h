#pragma once

#include <QAbstractListModel>
#include <array>
#include <ranges>
#include <string_view>

#include "core/category_lists.h"
#include "ui/item_ref.h"
#include "ui/view_order.h"

namespace zelvane {

// What the number list view shows: references into the category lists, which only grow, so a
// reference stays valid, or into the result of the last comparison, which the model keeps for as
// long as it shows any of it. Each command changes it with one notification, whatever the count.
class NumberListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit NumberListModel(const CategoryLists& lists, QObject* parent = nullptr);

  std::size_t size() const { return m_refs.size(); }
  const ItemRefs& Refs() const { return m_refs; }

  // The bytes of the item's number, and its text for display.
  std::string_view Number(std::size_t item) const;
  QString Text(std::size_t item) const;
  // The bytes of every item in list order, each looked up as it is read.
  auto Numbers() const {
    return m_refs | std::views::transform([this](ItemRef ref) { return NumberOf(ref); });
  }

  // Everything of the admitted categories, in category order (a reset).
  void ShowCategories(const CategoryFilter& shown);
  // The category's numbers after the items there are (an insertion).
  void AppendCategory(NumberCategory category);
  // New contents (a reset).
  void Replace(ItemRefs refs);
  // A comparison's result, in its order, as the new contents (a reset).
  void ShowComparison(NumberList result);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  std::string_view NumberOf(ItemRef ref) const {
    return (*m_sources[static_cast<std::size_t>(ref.source())])[ref.index()];
  }

  const CategoryLists& m_lists;
  NumberList m_comparison;
  std::array<const NumberList*, kItemSourceCount> m_sources;
  ItemRefs m_refs;
};

}  // namespace zelvane
