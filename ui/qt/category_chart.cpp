#include "ui/qt/category_chart.h"

#include <QPainter>
#include <algorithm>

#include "ui/logic/category_colors.h"
#include "ui/logic/main_window_layout.h"
#include "ui/qt/ui_text.h"

namespace zelvane {

QString CountsInWords(const CategoryCounts& counts) {
  QStringList parts;
  for (NumberCategory category : kAllCategories) {
    parts << FromUtf8(CategoryLabel(category)) +
                 FromUtf8(CountText(counts[CategoryIndex(category)], CountForm::Grouped)) + QStringLiteral("个");
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
  int labelWidth = 0;
  int countWidth = 0;
  for (NumberCategory category : kAllCategories) {
    labelWidth = std::max(labelWidth, metrics.horizontalAdvance(FromUtf8(CategoryLabel(category))));
    countWidth = std::max(countWidth, metrics.horizontalAdvance(
                                          FromUtf8(CountText(m_counts[CategoryIndex(category)], CountForm::Grouped))));
  }
  const auto rows = ChartRows({0, 0, width(), height()}, labelWidth, countWidth, m_counts);
  const auto rect = [](const PixelRect& r) { return QRect(r.left, r.top, r.width, r.height); };
  painter.setPen(palette().color(QPalette::WindowText));
  for (NumberCategory category : kAllCategories) {
    const std::size_t c = CategoryIndex(category);
    painter.drawText(rect(rows[c].label), Qt::AlignRight | Qt::AlignVCenter, FromUtf8(CategoryLabel(category)));
    painter.fillRect(rect(rows[c].bar), QColor::fromRgb(kCategoryColors[c]));
    painter.drawText(rect(rows[c].count), Qt::AlignLeft | Qt::AlignVCenter,
                     FromUtf8(CountText(m_counts[c], CountForm::Grouped)));
  }
}

}  // namespace zelvane
