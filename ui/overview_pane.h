#pragma once

#include <QFrame>

#include "core/category_lists.h"
#include "ui/logic/main_dialog_logic.h"

class QComboBox;

namespace zelvane {

class CategoryChart;

// The pane at the top right: the choice of prefix table ("号段表": 原始号段, 最新号段, the tables the
// user loaded, 载入号段表…) and a bar chart of the five categories.
class COverviewPane : public QFrame {
  Q_OBJECT

 public:
  // The fixed entries of the table choice; loaded tables come after them, "载入号段表…" last.
  static constexpr int kOriginalTable = MainDialogLogic::kOriginalTable;
  static constexpr int kCurrentTable = MainDialogLogic::kCurrentTable;

  explicit COverviewPane(QWidget* parent = nullptr);

  QComboBox* TableChoice() const { return m_tables; }
  CategoryChart* Chart() const { return m_chart; }

  // The table entry chosen; -1 while "载入号段表…" is chosen.
  int ChosenTable() const;
  // Chooses a table entry without telling anyone.
  void ChooseTable(int entry);
  // Adds (or renames) the entry of the loaded table, named name, and chooses it quietly.
  void ShowLoadedTable(const QString& name, const QString& path);
  void ShowCounts(const CategoryCounts& counts);

 signals:
  // The user chose a table entry, or "载入号段表…" (entry -1).
  void TableChosen(int entry);

 private:
  QComboBox* m_tables;
  CategoryChart* m_chart;
};

}  // namespace zelvane
