#pragma once

#include <QAbstractListModel>

#include "ui/logic/shown_numbers.h"

namespace zelvane {

// The shown numbers as a Qt list model for the number list view. Our view and the exports count
// items in size_t; Qt's rowCount() stops at INT_MAX.
class NumberListModel : public QAbstractListModel, public ShownNumbers {
  Q_OBJECT

 public:
  explicit NumberListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

  using ShownNumbers::size;

  // The item's number as text, safe to call while an import appends.
  QString Text(std::size_t item) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 protected:
  void BeginReset() override { beginResetModel(); }
  void EndReset() override { endResetModel(); }
  void BeginAppend(std::size_t first, std::size_t count) override;
  void EndAppend() override;

 private:
  bool m_appendCountable = false;
};

}  // namespace zelvane
