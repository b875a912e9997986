#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace zelvane {

class ReportDialogLogic;

// 号码统计's window: the summary line, the table by province (a province opened to its cities by a
// double click or Enter, sorted by a click on a column's header), the chart of the largest areas, 导出.
class CReportDlg : public QDialog {
  Q_OBJECT

 public:
  CReportDlg(ReportDialogLogic& logic, QWidget* parent = nullptr);

  QTableWidget* Table() const { return m_table; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Shows the logic's rows, sort and chart again.
  void Refresh();

  ReportDialogLogic& m_logic;
  QLabel* m_summary;
  QTableWidget* m_table;
  QWidget* m_chart;
  QPushButton* m_export;
  QPushButton* m_close;
};

}  // namespace zelvane
