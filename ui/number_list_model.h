#pragma once

#include <QAbstractListModel>
#include <array>
#include <mutex>
#include <optional>
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
//
// Long commands run in two steps, so that the work can go to another thread while the view goes on
// showing the old contents: the first step (ImportFile, MergedView, WithoutRepeats, Reclassified) runs
// on any thread, one at a time, while nothing else changes the model; the second (ShowImported, Show)
// puts the result in place on the model's own thread. Only ImportFile changes the lists in the first
// step, a piece of the file at a time, and Text stays safe to call meanwhile.
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

  // The first step of an import: appends a file's numbers to the lists, or on failure and when progress
  // asks to stop leaves them as they were. The view does not show them yet.
  FileResult ImportFile(NumberFile& file, const PrefixTable& table, WorkProgress* progress);
  // shown (the view, or what an earlier MergedView made of it) with the numbers appended since the
  // lists held before merged in as Import places them.
  ItemRefs MergedView(const ItemRefs& shown, const CategoryCounts& before, const CategoryFilter& admitted) const;
  // The second step: shows the merged view.
  void ShowImported(ItemRefs view);
  // Takes back every number appended since the lists held before; the view never showed them.
  void DropImported(const CategoryCounts& before);

  // New lists and the view of them, made in the first step.
  struct Rebuilt {
    CategoryLists lists;
    ItemRefs refs;
  };
  // The lists without later repeats of a number, as the filter shows them; nothing when nothing repeats
  // or progress asked to stop. removed counts the numbers dropped.
  std::optional<Rebuilt> WithoutRepeats(const CategoryFilter& shown, std::uint64_t& removed,
                                        WorkProgress* progress) const;
  // Every number sorted again by table, as the filter shows them; incomplete once progress asked to stop.
  Rebuilt Reclassified(const PrefixTable& table, const CategoryFilter& shown, WorkProgress* progress) const;
  // The second step: the new lists and their view in place of the old (a reset).
  void Show(Rebuilt rebuilt);
  // Empties the lists and the view.
  void Clear();
  // Everything of the admitted categories, in category order (a reset).
  void ShowCategories(const CategoryFilter& shown);
  // The category's numbers after the items there are (an insertion).
  void AppendCategory(NumberCategory category);
  // A comparison's result, in its order, as the new contents (a reset).
  void ShowComparison(NumberList result);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  std::string_view NumberOf(ItemRef ref) const {
    return (*m_sources[static_cast<std::size_t>(ref.source())])[ref.index()];
  }

  CategoryLists m_lists;
  mutable std::mutex m_appending;  // held by an import while it changes the lists, and by Text
  NumberList m_comparison;
  std::array<const NumberList*, kItemSourceCount> m_sources;
  ItemRefs m_refs;
};

}  // namespace zelvane
