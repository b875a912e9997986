#include "ui/number_list_model.h"

#include "ui/ui_text.h"

namespace zelvane {

NumberListModel::NumberListModel(const CategoryLists& lists, QObject* parent)
    : QAbstractListModel(parent), m_lists(lists) {
  for (NumberCategory category : kAllCategories) {
    m_sources[static_cast<std::size_t>(SourceOf(category))] = &lists[category];
  }
  m_sources[static_cast<std::size_t>(ItemSource::Comparison)] = &m_comparison;
}

std::string_view NumberListModel::Number(std::size_t item) const { return NumberOf(m_refs[item]); }

QString NumberListModel::Text(std::size_t item) const { return DecodeGbk(Number(item)); }

void NumberListModel::ShowCategories(const CategoryFilter& shown) {
  std::size_t count = 0;
  for (NumberCategory category : kAllCategories) count += shown[CategoryIndex(category)] ? m_lists[category].size() : 0;
  beginResetModel();
  m_refs.clear();  // keeps the capacity: rebuilding a list as big as before allocates nothing
  m_refs.reserve(count);
  for (NumberCategory category : kAllCategories) {
    if (shown[CategoryIndex(category)]) AppendCategoryRefs(m_lists, category, m_refs);
  }
  m_comparison = NumberList();  // nothing refers to it any more
  endResetModel();
}

void NumberListModel::AppendCategory(NumberCategory category) {
  const std::size_t count = m_lists[category].size();
  if (count == 0) return;
  const int first = rowCount();
  beginInsertRows(QModelIndex(), first, first + static_cast<int>(count) - 1);
  AppendCategoryRefs(m_lists, category, m_refs);
  endInsertRows();
}

void NumberListModel::Replace(ItemRefs refs) {
  beginResetModel();
  m_refs = std::move(refs);
  endResetModel();
}

void NumberListModel::ShowComparison(NumberList result) {
  beginResetModel();
  m_comparison = std::move(result);
  m_refs.clear();
  AppendRefs(ItemSource::Comparison, m_comparison.size(), m_refs);
  endResetModel();
}

// Item models count in int: enough, since 2^31 numbers would not fit in memory.
int NumberListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_refs.size());
}

QVariant NumberListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || static_cast<std::size_t>(index.row()) >= m_refs.size()) {
    return QVariant();
  }
  return Text(static_cast<std::size_t>(index.row()));
}

}  // namespace zelvane
