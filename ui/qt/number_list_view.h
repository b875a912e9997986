#pragma once

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QPointer>
#include <cstddef>
#include <limits>

#include "ui/qt/number_list_model.h"
#include "ui/qt/range_selection.h"

namespace zelvane {

// Shows a NumberListModel as a list of text items flowing top to bottom in columns of equal
// cells, one column after another, scrolled a column at a step. Only the visible cells are
// ever measured or painted, so the cost of painting, resizing and scrolling does not grow with
// the number of items. Keyboard and mouse select as in a list view; Ctrl+C copies the selected
// numbers, one a line.
class NumberListView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  static constexpr std::size_t kNoItem = std::numeric_limits<std::size_t>::max();

  explicit NumberListView(QWidget* parent = nullptr);

  void SetModel(NumberListModel* model);
  NumberListModel* Model() const { return m_model; }

  // The item with the focus, kNoItem when none.
  std::size_t CurrentItem() const { return m_current; }
  const RangeSelection& Selection() const { return m_selection; }
  // The selected numbers in list order, separated by newlines.
  QString SelectedText() const;
  // Puts SelectedText on the clipboard.
  void CopySelection() const;
  void SelectAll();

  QSize CellSize() const { return m_cell; }
  std::size_t ItemsPerColumn() const;
  // The items in the columns that are at least partly in view.
  std::size_t FirstShownItem() const;
  std::size_t ShownItemCount() const;
  // Where an item is, in viewport coordinates (outside the viewport when scrolled away).
  QRect ItemRect(std::size_t item) const;
  // The item under a viewport point, kNoItem when none.
  std::size_t ItemAt(const QPoint& point) const;

 signals:
  // A right click or the Menu key: where a menu for the list belongs, in global coordinates.
  void ContextMenuRequested(const QPoint& at);
  // The selected items changed.
  void SelectionChanged();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  enum class Extend { None, Range, Toggle, FocusOnly };

  void UpdateCellSize();
  void UpdateScrollBar();
  std::size_t FirstColumn() const;
  std::size_t FullyVisibleColumns() const;
  std::size_t KeyTarget(int key) const;
  void MoveCurrent(std::size_t item, Extend extend);
  void EnsureVisible(std::size_t item);
  void OnModelReset();
  void OnRowsAppended();
  void NotifyAccessibility(QAccessible::Event type);

  QPointer<NumberListModel> m_model;
  RangeSelection m_selection;
  std::size_t m_current = kNoItem;
  std::size_t m_anchor = 0;
  QSize m_cell;
};

}  // namespace zelvane
