#pragma once

#include <QFrame>
#include <vector>

#include "core/category_lists.h"
#include "ui/logic/main_dialog_logic.h"

class QComboBox;

namespace zelvane {

class CategoryChart;

// The pane at the top right: the choice of prefix table ("号段表": 原始号段, 最新号段, the table the user
// loaded, 载入号段表…), of area table ("归属地表": 内置归属地, the loaded one, 载入归属地表…) and of the area
// the list shows ("地区"), and a bar chart of the five categories.
class COverviewPane : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kOriginalTable = MainDialogLogic::kOriginalTable;
  static constexpr int kCurrentTable = MainDialogLogic::kCurrentTable;

  explicit COverviewPane(QWidget* parent = nullptr);

  QComboBox* TableChoice() const { return m_tables; }
  QComboBox* AreaTableChoice() const { return m_areaTables; }
  QComboBox* AreaChoice() const { return m_areas; }
  CategoryChart* Chart() const { return m_chart; }

  // The table entry chosen; -1 while "载入号段表…" is chosen.
  int ChosenTable() const;
  // Chooses a table entry without telling anyone.
  void ChooseTable(int entry);
  // Adds (or renames) the entry of the loaded table, named name, and chooses it quietly.
  void ShowLoadedTable(const QString& name, const QString& path);
  // The same for the area tables.
  void ChooseAreaTable(int entry);
  void ShowLoadedAreaTable(const QString& name, const QString& path);
  void ShowAreas(const std::vector<AreaEntry>& entries, std::size_t chosen);
  void ShowCounts(const CategoryCounts& counts);

 signals:
  // The user chose a table entry, or "载入号段表…" (entry -1).
  void TableChosen(int entry);
  void AreaTableChosen(int entry);
  void AreaChosen(int entry);

 private:
  QComboBox* m_tables;
  QComboBox* m_areaTables;
  QComboBox* m_areas;
  CategoryChart* m_chart;
};

}  // namespace zelvane
