#pragma once

#include <QWidget>

#include "core/category_lists.h"

namespace zelvane {

// A small bar chart of the five categories: a row each with its label, a bar scaled to the largest
// count and the count. Its accessible description says the counts in words.
class CategoryChart : public QWidget {
  Q_OBJECT

 public:
  explicit CategoryChart(QWidget* parent = nullptr);

  void SetCounts(const CategoryCounts& counts);
  const CategoryCounts& Counts() const { return m_counts; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  CategoryCounts m_counts{};
};

// "移动3个，联通0个，电信0个，小灵通1个，其他2个".
QString CountsInWords(const CategoryCounts& counts);

}  // namespace zelvane
