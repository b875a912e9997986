#include "ui/number_list_model.h"

#include <climits>
#include <new>

#include "ui/ui_text.h"

namespace zelvane {

namespace {

std::size_t ShownCount(const CategoryLists& lists, const CategoryFilter& shown) {
  std::size_t count = 0;
  for (NumberCategory category : kAllCategories) count += shown[CategoryIndex(category)] ? lists[category].size() : 0;
  return count;
}

// References to every number of the admitted categories, in category order, in place of what refs
// held. Only the first step can fail, and refs is as it was then.
void CategoryRefs(const CategoryLists& lists, const CategoryFilter& shown, ItemRefs& refs) {
  refs.reserve(ShownCount(lists, shown));
  refs.clear();
  for (NumberCategory category : kAllCategories) {
    if (shown[CategoryIndex(category)]) AppendCategoryRefs(lists, category, refs);
  }
}

}  // namespace

NumberListModel::NumberListModel(QObject* parent) : QAbstractListModel(parent) {
  for (NumberCategory category : kAllCategories) {
    m_sources[static_cast<std::size_t>(SourceOf(category))] = &m_lists[category];
  }
  m_sources[static_cast<std::size_t>(ItemSource::Comparison)] = &m_comparison;
}

std::string_view NumberListModel::Number(std::size_t item) const { return NumberOf(m_refs[item]); }

QString NumberListModel::Text(std::size_t item) const { return DecodeGbk(Number(item)); }

FileResult NumberListModel::Import(NumberFile& file, const PrefixTable& table, const CategoryFilter& admitted) {
  const CategoryCounts before = m_lists.Counts();
  const std::uint64_t countBefore = m_lists.size();
  if (FileResult error = m_lists.Import(file, table)) return error;
  ItemRefs merged;
  try {
    merged = MergeImported(m_refs, m_lists.Order().subspan(countBefore), before, admitted);
  } catch (const std::bad_alloc&) {
    m_lists.UndoImport(before);  // the view cannot take the numbers
    return OutOfMemoryError(file.path());
  }
  if (merged.size() == m_refs.size()) {
    m_refs = std::move(merged);  // the same items: the view has nothing to redo
    return std::nullopt;
  }
  beginResetModel();
  m_refs = std::move(merged);
  endResetModel();
  return std::nullopt;
}

void NumberListModel::Clear() {
  beginResetModel();
  m_refs = ItemRefs();
  m_comparison = NumberList();
  m_lists.Clear();
  endResetModel();
}

std::uint64_t NumberListModel::RemoveRepeats(const CategoryFilter& shown) {
  std::uint64_t removed = 0;
  if (std::optional<CategoryLists> kept = m_lists.WithoutRepeats(removed)) {
    ReplaceLists(std::move(*kept), shown);
  } else {
    ShowCategories(shown);
  }
  return removed;
}

void NumberListModel::Reclassify(const PrefixTable& table, const CategoryFilter& shown) {
  ReplaceLists(m_lists.Reclassified(table), shown);
}

void NumberListModel::ReplaceLists(CategoryLists lists, const CategoryFilter& shown) {
  ItemRefs refs;
  CategoryRefs(lists, shown, refs);
  beginResetModel();  // nothing can fail from here on
  m_lists = std::move(lists);
  m_refs = std::move(refs);
  m_comparison = NumberList();
  endResetModel();
}

void NumberListModel::ShowCategories(const CategoryFilter& shown) {
  // Refilled in place, so that rebuilding a list as big as before allocates nothing.
  m_refs.reserve(ShownCount(m_lists, shown));  // the only step that can fail
  beginResetModel();
  CategoryRefs(m_lists, shown, m_refs);
  m_comparison = NumberList();  // nothing refers to it any more
  endResetModel();
}

void NumberListModel::AppendCategory(NumberCategory category) {
  const std::size_t count = m_lists[category].size();
  if (count == 0) return;
  const std::size_t first = m_refs.size();
  m_refs.reserve(first + count);  // the only step that can fail
  // Qt counts rows in int: past that the view is reset instead.
  const bool countable = first + count <= static_cast<std::size_t>(INT_MAX);
  if (countable) {
    beginInsertRows(QModelIndex(), static_cast<int>(first), static_cast<int>(first + count - 1));
  } else {
    beginResetModel();
  }
  AppendCategoryRefs(m_lists, category, m_refs);
  if (countable) {
    endInsertRows();
  } else {
    endResetModel();
  }
}

void NumberListModel::ShowComparison(NumberList result) {
  ItemRefs refs;
  AppendRefs(ItemSource::Comparison, result.size(), refs);
  beginResetModel();
  m_comparison = std::move(result);
  m_refs = std::move(refs);
  endResetModel();
}

int NumberListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(std::min<std::size_t>(m_refs.size(), INT_MAX));
}

QVariant NumberListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || static_cast<std::size_t>(index.row()) >= m_refs.size()) {
    return QVariant();
  }
  return Text(static_cast<std::size_t>(index.row()));
}

}  // namespace zelvane
