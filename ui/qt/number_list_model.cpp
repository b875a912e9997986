#include "ui/qt/number_list_model.h"

#include <climits>

#include "ui/qt/ui_text.h"

namespace zelvane {

QString NumberListModel::Text(std::size_t item) const { return DecodeGbk(NumberCopy(item)); }

void NumberListModel::BeginAppend(std::size_t first, std::size_t count) {
  // Qt counts rows in int: past that the view is reset instead.
  m_appendCountable = first + count <= static_cast<std::size_t>(INT_MAX);
  if (m_appendCountable) {
    beginInsertRows(QModelIndex(), static_cast<int>(first), static_cast<int>(first + count - 1));
  } else {
    beginResetModel();
  }
}

void NumberListModel::EndAppend() {
  if (m_appendCountable) {
    endInsertRows();
  } else {
    endResetModel();
  }
}

int NumberListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(std::min<std::size_t>(size(), INT_MAX));
}

QVariant NumberListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || static_cast<std::size_t>(index.row()) >= size()) {
    return QVariant();
  }
  return Text(static_cast<std::size_t>(index.row()));
}

}  // namespace zelvane
