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

QString NumberListModel::Text(std::size_t item) const {
  const std::lock_guard lock(m_appending);
  return DecodeGbk(Number(item));
}

FileResult NumberListModel::Import(NumberFile& file, const PrefixTable& table, const CategoryFilter& admitted) {
  const CategoryCounts before = m_lists.Counts();
  if (FileResult error = ImportFile(file, table, nullptr)) return error;
  ItemRefs merged;
  try {
    merged = MergedView(m_refs, before, admitted);
  } catch (const std::bad_alloc&) {
    DropImported(before);  // the view cannot take the numbers
    return OutOfMemoryError(file.path());
  }
  ShowImported(std::move(merged));
  return std::nullopt;
}

FileResult NumberListModel::ImportFile(NumberFile& file, const PrefixTable& table, WorkProgress* progress) {
  return m_lists.Import(file, table, progress, &m_appending);
}

ItemRefs NumberListModel::MergedView(const ItemRefs& shown, const CategoryCounts& before,
                                     const CategoryFilter& admitted) const {
  std::uint64_t countBefore = 0;
  for (std::uint64_t count : before) countBefore += count;
  return MergeImported(shown, m_lists.Order().subspan(countBefore), before, admitted);
}

void NumberListModel::ShowImported(ItemRefs view) {
  if (view.size() == m_refs.size()) {
    m_refs = std::move(view);  // the same items: the view has nothing to redo
    return;
  }
  beginResetModel();
  m_refs = std::move(view);
  endResetModel();
}

void NumberListModel::DropImported(const CategoryCounts& before) {
  const std::lock_guard lock(m_appending);
  m_lists.UndoImport(before);
}

void NumberListModel::Clear() {
  beginResetModel();
  m_refs = ItemRefs();
  m_comparison = NumberList();
  m_lists.Clear();
  endResetModel();
}

std::optional<NumberListModel::Rebuilt> NumberListModel::WithoutRepeats(const CategoryFilter& shown,
                                                                       std::uint64_t& removed,
                                                                       WorkProgress* progress) const {
  std::optional<CategoryLists> kept = m_lists.WithoutRepeats(removed, progress);
  if (!kept || (progress && progress->StopRequested())) return std::nullopt;
  Rebuilt rebuilt{std::move(*kept), {}};
  CategoryRefs(rebuilt.lists, shown, rebuilt.refs);
  return rebuilt;
}

NumberListModel::Rebuilt NumberListModel::Reclassified(const PrefixTable& table, const CategoryFilter& shown,
                                                       WorkProgress* progress) const {
  Rebuilt rebuilt{m_lists.Reclassified(table, progress), {}};
  CategoryRefs(rebuilt.lists, shown, rebuilt.refs);
  return rebuilt;
}

void NumberListModel::Show(Rebuilt rebuilt) {
  beginResetModel();  // nothing can fail from here on
  m_lists = std::move(rebuilt.lists);
  m_refs = std::move(rebuilt.refs);
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
