#pragma once

#include <QAbstractListModel>
#include <array>
#include <ranges>
#include <string_view>

#include "core/category_lists.h"
#include "ui/item_ref.h"
#include "ui/view_order.h"

namespace zelvane {

// The five category lists and what the number list view shows of them: references into the lists,
// or into the result of the last comparison, which the model keeps for as long as it shows any of it.
// The lists change only through the model, which brings the references along in the same step, so
// a reference never outlives what it refers to. Each command makes one notification, whatever the
// count. Our view and the exports count items in size_t; Qt's rowCount() stops at INT_MAX.
class NumberListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit NumberListModel(QObject* parent = nullptr);

  const CategoryLists& Lists() const { return m_lists; }

  std::size_t size() const { return m_refs.size(); }
  const ItemRefs& Refs() const { return m_refs; }

  // The bytes of the item's number, and its text for display.
  std::string_view Number(std::size_t item) const;
  QString Text(std::size_t item) const;
  // The bytes of every item in list order, each looked up as it is read.
  auto Numbers() const {
    return m_refs | std::views::transform([this](ItemRef ref) { return NumberOf(ref); });
  }

  // Appends a file's numbers to the lists, sorted by table, and shows those that admitted lets in:
  // the one with ordinal i at index i, or at the end while the view is shorter. On failure nothing changes.
  FileResult Import(NumberFile& file, const PrefixTable& table, const CategoryFilter& admitted);
  // Empties the lists and the view.
  void Clear();
  // Drops every later repeat of a number from the lists, then shows the admitted categories; the count dropped.
  std::uint64_t RemoveRepeats(const CategoryFilter& shown);
  // Sorts every number again by table, then shows the admitted categories.
  void Reclassify(const PrefixTable& table, const CategoryFilter& shown);

  // Everything of the admitted categories, in category order (a reset).
  void ShowCategories(const CategoryFilter& shown);
  // The category's numbers after the items there are (an insertion).
  void AppendCategory(NumberCategory category);
  // A comparison's result, in its order, as the new contents (a reset).
  void ShowComparison(NumberList result);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  // New lists in place of the old, shown as the filter admits them (a reset).
  void ReplaceLists(CategoryLists lists, const CategoryFilter& shown);

  std::string_view NumberOf(ItemRef ref) const {
    return (*m_sources[static_cast<std::size_t>(ref.source())])[ref.index()];
  }

  CategoryLists m_lists;
  NumberList m_comparison;
  std::array<const NumberList*, kItemSourceCount> m_sources;
  ItemRefs m_refs;
};

}  // namespace zelvane
