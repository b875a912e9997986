#include "ui/category_chart.h"

#include <QPainter>
#include <algorithm>

#include "ui/logic/category_colors.h"
#include "ui/ui_text.h"

namespace zelvane {

QString CountsInWords(const CategoryCounts& counts) {
  QStringList parts;
  for (NumberCategory category : kAllCategories) {
    parts << FromUtf8(CategoryLabel(category)) + QString::number(counts[CategoryIndex(category)]) +
                 QStringLiteral("个");
  }
  return parts.join(QStringLiteral("，"));
}

CategoryChart::CategoryChart(QWidget* parent) : QWidget(parent) {
  setAccessibleName(QStringLiteral("号码分布"));
  SetCounts({});
}

void CategoryChart::SetCounts(const CategoryCounts& counts) {
  m_counts = counts;
  setAccessibleDescription(CountsInWords(counts));
  update();
}

void CategoryChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics = fontMetrics();
  const int rowHeight = height() / static_cast<int>(kCategoryCount);
  int labelWidth = 0;
  for (NumberCategory category : kAllCategories) {
    labelWidth = std::max(labelWidth, metrics.horizontalAdvance(FromUtf8(CategoryLabel(category))));
  }
  const std::uint64_t largest = std::max<std::uint64_t>(1, *std::max_element(m_counts.begin(), m_counts.end()));
  const int countWidth = metrics.horizontalAdvance(QString::number(largest)) + 4;
  const int barLeft = labelWidth + 4;
  const int barSpace = std::max(0, width() - barLeft - countWidth);
  for (NumberCategory category : kAllCategories) {
    const int c = static_cast<int>(CategoryIndex(category));
    const QRect row(0, c * rowHeight, width(), rowHeight);
    const std::uint64_t count = m_counts[CategoryIndex(category)];
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(row.adjusted(0, 0, -(width() - labelWidth), 0), Qt::AlignRight | Qt::AlignVCenter,
                     FromUtf8(CategoryLabel(category)));
    const int bar =
        static_cast<int>(static_cast<double>(barSpace) * static_cast<double>(count) / static_cast<double>(largest));
    painter.fillRect(QRect(barLeft, row.top() + 2, bar, std::max(1, rowHeight - 4)),
                     QColor::fromRgb(kCategoryColors[c]));
    painter.drawText(QRect(barLeft + bar + 3, row.top(), countWidth + barSpace - bar, rowHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, QString::number(count));
  }
}

}  // namespace zelvane
