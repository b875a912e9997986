#include "ui/qt/number_list_view.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>

#include "ui/qt/number_list_accessible.h"

namespace zelvane {

namespace {

// A cell is as wide as this many digits plus margins: room for a number with a country code.
constexpr int kCellDigits = 14;
constexpr int kTextMargin = 3;

std::size_t DivideRoundingUp(std::size_t dividend, std::size_t divisor) { return (dividend + divisor - 1) / divisor; }

}  // namespace

NumberListView::NumberListView(QWidget* parent) : QAbstractScrollArea(parent) {
  static const bool accessibilityInstalled = (QAccessible::installFactory(&CreateNumberListAccessible), true);
  (void)accessibilityInstalled;
  setFocusPolicy(Qt::StrongFocus);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  horizontalScrollBar()->setSingleStep(1);
  UpdateCellSize();
}

void NumberListView::SetModel(NumberListModel* model) {
  if (m_model) m_model->disconnect(this);
  m_model = model;
  connect(model, &QAbstractItemModel::modelReset, this, &NumberListView::OnModelReset);
  // The model only ever adds items after the last one.
  connect(model, &QAbstractItemModel::rowsInserted, this, &NumberListView::OnRowsAppended);
  OnModelReset();
}

QString NumberListView::SelectedText() const {
  QString text;
  for (const RangeSelection::Range& range : m_selection.Ranges()) {
    for (std::size_t item = range.begin; item < range.end; ++item) {
      if (!text.isEmpty()) text += QLatin1Char('\n');
      text += m_model->Text(item);
    }
  }
  return text;
}

std::size_t NumberListView::ItemsPerColumn() const {
  return static_cast<std::size_t>(std::max(1, viewport()->height() / m_cell.height()));
}

std::size_t NumberListView::FirstColumn() const { return static_cast<std::size_t>(horizontalScrollBar()->value()); }

std::size_t NumberListView::FullyVisibleColumns() const {
  return static_cast<std::size_t>(std::max(1, viewport()->width() / m_cell.width()));
}

std::size_t NumberListView::FirstShownItem() const {
  return std::min(FirstColumn() * ItemsPerColumn(), m_model ? m_model->size() : 0);
}

std::size_t NumberListView::ShownItemCount() const {
  const std::size_t columns = DivideRoundingUp(static_cast<std::size_t>(std::max(0, viewport()->width())),
                                               static_cast<std::size_t>(m_cell.width()));
  const std::size_t total = m_model ? m_model->size() : 0;
  return std::min(columns * ItemsPerColumn(), total - FirstShownItem());
}

QRect NumberListView::ItemRect(std::size_t item) const {
  const std::size_t rows = ItemsPerColumn();
  const auto column = static_cast<long long>(item / rows) - static_cast<long long>(FirstColumn());
  const auto row = static_cast<int>(item % rows);
  return QRect(static_cast<int>(column * m_cell.width()), row * m_cell.height(), m_cell.width(), m_cell.height());
}

std::size_t NumberListView::ItemAt(const QPoint& point) const {
  if (!m_model || point.x() < 0 || point.y() < 0) return kNoItem;
  const std::size_t rows = ItemsPerColumn();
  const auto row = static_cast<std::size_t>(point.y() / m_cell.height());
  if (row >= rows) return kNoItem;
  const std::size_t column = FirstColumn() + static_cast<std::size_t>(point.x() / m_cell.width());
  const std::size_t item = column * rows + row;
  return item < m_model->size() ? item : kNoItem;
}

bool NumberListView::event(QEvent* event) {
  if (event->type() == QEvent::FontChange) UpdateCellSize();
  return QAbstractScrollArea::event(event);
}

void NumberListView::UpdateCellSize() {
  const QFontMetrics metrics = fontMetrics();
  m_cell =
      QSize(metrics.horizontalAdvance(QString(kCellDigits, QLatin1Char('0'))) + 2 * kTextMargin, metrics.height() + 2);
  UpdateScrollBar();
  viewport()->update();
}

// The scroll bar counts columns. Whether it is needed is decided on the size without it, so that
// showing it, which takes height from the columns, cannot make it unneeded again.
void NumberListView::UpdateScrollBar() {
  const std::size_t total = m_model ? m_model->size() : 0;
  const QSize full = maximumViewportSize();
  const auto fullRows = static_cast<std::size_t>(std::max(1, full.height() / m_cell.height()));
  const auto fullColumns = static_cast<std::size_t>(std::max(1, full.width() / m_cell.width()));
  const Qt::ScrollBarPolicy policy = total > fullRows * fullColumns ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  if (horizontalScrollBarPolicy() != policy) setHorizontalScrollBarPolicy(policy);

  const std::size_t columns = DivideRoundingUp(total, ItemsPerColumn());
  const std::size_t visible = FullyVisibleColumns();
  QScrollBar* bar = horizontalScrollBar();
  bar->setPageStep(static_cast<int>(visible));
  bar->setRange(0, static_cast<int>(columns > visible ? columns - visible : 0));
}

void NumberListView::paintEvent(QPaintEvent*) {
  if (!m_model) return;
  QPainter painter(viewport());
  const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
  const QFontMetrics metrics = fontMetrics();
  const std::size_t first = FirstShownItem();
  const std::size_t end = first + ShownItemCount();
  for (std::size_t item = first; item < end; ++item) {
    const QRect cell = ItemRect(item);
    const QString text = metrics.elidedText(m_model->Text(item), Qt::ElideRight, cell.width() - 2 * kTextMargin);
    // As in a list view, the highlight covers the text, not the whole cell.
    const QRect label(cell.left(), cell.top(),
                      std::min(cell.width(), metrics.horizontalAdvance(text) + 2 * kTextMargin), cell.height());
    const bool selected = m_selection.Contains(item);
    if (selected) painter.fillRect(label, palette().brush(group, QPalette::Highlight));
    painter.setPen(palette().color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(label.adjusted(kTextMargin, 0, -kTextMargin, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    if (item == m_current && hasFocus()) {
      QStyleOptionFocusRect option;
      option.initFrom(this);
      option.rect = label;
      option.backgroundColor = palette().color(group, selected ? QPalette::Highlight : QPalette::Base);
      style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
  }
}

void NumberListView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBar();
  if (m_current != kNoItem) EnsureVisible(m_current);
}

std::size_t NumberListView::KeyTarget(int key) const {
  const std::size_t last = m_model->size() - 1;
  if (m_current == kNoItem) return key == Qt::Key_End ? last : 0;
  const std::size_t rows = ItemsPerColumn();
  const std::size_t page = rows * FullyVisibleColumns();
  switch (key) {
    case Qt::Key_Up: return m_current == 0 ? 0 : m_current - 1;
    case Qt::Key_Down: return std::min(m_current + 1, last);
    // Sideways a column; into a shorter last column, its last item.
    case Qt::Key_Left: return m_current >= rows ? m_current - rows : m_current;
    case Qt::Key_Right: return m_current / rows < last / rows ? std::min(m_current + rows, last) : m_current;
    case Qt::Key_PageUp: return m_current >= page ? m_current - page : 0;
    case Qt::Key_PageDown: return std::min(m_current + page, last);
    case Qt::Key_Home: return 0;
    case Qt::Key_End: return last;
    default: return m_current;
  }
}

void NumberListView::keyPressEvent(QKeyEvent* event) {
  if (!m_model || m_model->size() == 0) {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  if (event == QKeySequence::Copy) {
    CopySelection();
    return;
  }
  if (event == QKeySequence::SelectAll) {
    SelectAll();
    return;
  }
  const bool control = event->modifiers() & Qt::ControlModifier;
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
      MoveCurrent(KeyTarget(event->key()), shift ? Extend::Range : control ? Extend::FocusOnly : Extend::None);
      return;
    case Qt::Key_Space:
      MoveCurrent(m_current == kNoItem ? 0 : m_current, control ? Extend::Toggle : Extend::None);
      return;
    default: QAbstractScrollArea::keyPressEvent(event);
  }
}

void NumberListView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_model) return;
  const std::size_t item = ItemAt(event->position().toPoint());
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if (item == kNoItem) {
    // A click beside the items clears the selection, unless it was meant to extend it.
    if (!(modifiers & (Qt::ControlModifier | Qt::ShiftModifier))) {
      m_selection.Clear();
      viewport()->update();
      NotifyAccessibility(QAccessible::SelectionWithin);
      emit SelectionChanged();
    }
    return;
  }
  MoveCurrent(item, modifiers & Qt::ShiftModifier     ? Extend::Range
                    : modifiers & Qt::ControlModifier ? Extend::Toggle
                                                      : Extend::None);
}

// The press did the work; the release must not reach the dialog either.
void NumberListView::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

void NumberListView::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton) || (event->modifiers() & Qt::ControlModifier)) return;
  const std::size_t item = ItemAt(event->position().toPoint());
  if (item != kNoItem && item != m_current) MoveCurrent(item, Extend::Range);
}

// The wheel scrolls the columns, the only direction there is.
void NumberListView::wheelEvent(QWheelEvent* event) { QApplication::sendEvent(horizontalScrollBar(), event); }

// Right clicks stay here rather than reaching the dialog's window menu.
void NumberListView::CopySelection() const { QApplication::clipboard()->setText(SelectedText()); }

void NumberListView::SelectAll() {
  if (!m_model || m_model->size() == 0) return;
  m_selection.Select(0, m_model->size());
  viewport()->update();
  NotifyAccessibility(QAccessible::SelectionWithin);
  emit SelectionChanged();
}

void NumberListView::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();  // the window's own menu is not for the list
  QPoint at = event->globalPos();
  if (event->reason() == QContextMenuEvent::Keyboard) {
    const QRect current = m_current == kNoItem ? QRect() : ItemRect(m_current);
    at = viewport()->mapToGlobal(viewport()->rect().contains(current.center()) ? current.center() : QPoint(0, 0));
  }
  emit ContextMenuRequested(at);
}

void NumberListView::scrollContentsBy(int, int) {
  viewport()->update();
  NotifyAccessibility(QAccessible::ObjectReorder);
}

void NumberListView::MoveCurrent(std::size_t item, Extend extend) {
  switch (extend) {
    case Extend::None:
      m_selection.Clear();
      m_selection.Select(item, item + 1);
      m_anchor = item;
      break;
    case Extend::Range:
      m_selection.Clear();
      m_selection.Select(std::min(m_anchor, item), std::max(m_anchor, item) + 1);
      break;
    case Extend::Toggle:
      m_selection.Toggle(item);
      m_anchor = item;
      break;
    case Extend::FocusOnly: break;
  }
  m_current = item;
  EnsureVisible(item);
  viewport()->update();
  NotifyAccessibility(QAccessible::Focus);
  if (extend == Extend::FocusOnly) return;
  NotifyAccessibility(QAccessible::SelectionWithin);
  emit SelectionChanged();
}

void NumberListView::EnsureVisible(std::size_t item) {
  const std::size_t column = item / ItemsPerColumn();
  const std::size_t first = FirstColumn();
  const std::size_t visible = FullyVisibleColumns();
  if (column < first) {
    horizontalScrollBar()->setValue(static_cast<int>(column));
  } else if (column >= first + visible) {
    horizontalScrollBar()->setValue(static_cast<int>(column - visible + 1));
  }
}

void NumberListView::OnModelReset() {
  if (!m_selection.Empty()) {
    m_selection.Clear();
    emit SelectionChanged();
  }
  m_current = kNoItem;
  m_anchor = 0;
  horizontalScrollBar()->setValue(0);
  UpdateScrollBar();
  viewport()->update();
  NotifyAccessibility(QAccessible::ObjectReorder);
}

void NumberListView::OnRowsAppended() {
  UpdateScrollBar();
  viewport()->update();
  NotifyAccessibility(QAccessible::ObjectReorder);
}

void NumberListView::NotifyAccessibility(QAccessible::Event type) {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent event(this, type);
  if (type == QAccessible::Focus && m_current != kNoItem) {
    event.setChild(static_cast<int>(m_current - FirstShownItem()));
  }
  QAccessible::updateAccessibility(&event);
}

}  // namespace zelvane
