#include "ui/qt/report_dlg.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

#include "ui/logic/category_colors.h"
#include "ui/logic/report_dialog_logic.h"
#include "ui/logic/report_window_layout.h"
#include "ui/qt/ui_text.h"

namespace zelvane {

namespace {

QRect ToQRect(const PixelRect& r) { return QRect(r.left, r.top, r.width, r.height); }

// The bars of the largest areas, as the logic gives them.
class ReportChart : public QWidget {
 public:
  ReportChart(const ReportDialogLogic& logic, QWidget* parent) : QWidget(parent), m_logic(logic) {
    setAccessibleName(QStringLiteral("地区分布"));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const std::vector<ReportDialogLogic::ChartBar> bars = m_logic.Chart();
    const QFontMetrics metrics = fontMetrics();
    int labelWidth = 0;
    int countWidth = 0;
    for (const auto& bar : bars) {
      labelWidth = std::max(labelWidth, metrics.horizontalAdvance(FromUtf8(bar.label)));
      countWidth = std::max(countWidth, metrics.horizontalAdvance(FromUtf8(bar.countText)));
    }
    const std::vector<ChartRow> rows = ReportChartRows({0, 0, width(), height()}, labelWidth, countWidth, bars);
    painter.setPen(palette().color(QPalette::WindowText));
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const QString label = metrics.elidedText(FromUtf8(bars[i].label), Qt::ElideRight, rows[i].label.width);
      painter.drawText(ToQRect(rows[i].label), Qt::AlignRight | Qt::AlignVCenter, label);
      painter.fillRect(ToQRect(rows[i].bar), QColor::fromRgb(kCategoryColors[0]));
      painter.drawText(ToQRect(rows[i].count), Qt::AlignLeft | Qt::AlignVCenter, FromUtf8(bars[i].countText));
    }
  }

 private:
  const ReportDialogLogic& m_logic;
};

// Enter opens or closes the province of the current row, as a double click does.
class ReportTable : public QTableWidget {
 public:
  using QTableWidget::QTableWidget;
  std::function<void(int)> activated;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
      activated(currentRow());
      return;
    }
    QTableWidget::keyPressEvent(event);
  }
};

}  // namespace

CReportDlg::CReportDlg(ReportDialogLogic& logic, QWidget* parent)
    : QDialog(parent),
      m_logic(logic),
      m_summary(new QLabel(this)),
      m_table(new ReportTable(0, ReportDialogLogic::kColumnCount, this)),
      m_chart(new ReportChart(logic, this)),
      m_export(new QPushButton(FromUtf8(kReportExportButton), this)),
      m_close(new QPushButton(FromUtf8(kReportCloseButton), this)) {
  setWindowTitle(QStringLiteral("号码统计"));
  setMinimumSize(kReportWindowMinWidth, kReportWindowMinHeight);
  resize(kReportWindowWidth, kReportWindowHeight);
  QStringList titles;
  for (const std::string_view title : ReportDialogLogic::kColumnTitles) titles << FromUtf8(title);
  m_table->setHorizontalHeaderLabels(titles);
  for (int column = 0; column < ReportDialogLogic::kColumnCount; ++column) {
    m_table->setColumnWidth(column, kReportColumnWidths[column]);
  }
  m_table->verticalHeader()->hide();
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->setSelectionMode(QAbstractItemView::SingleSelection);
  m_table->horizontalHeader()->setSortIndicatorShown(true);
  m_table->horizontalHeader()->setSectionsClickable(true);
  m_export->setAutoDefault(false);
  m_close->setAutoDefault(false);
  static_cast<ReportTable*>(m_table)->activated = [this](int row) {
    m_logic.OnRowActivated(static_cast<std::size_t>(row));
    Refresh();
    m_table->setCurrentCell(row, 0);
  };
  connect(m_table, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int) { static_cast<ReportTable*>(m_table)->activated(row); });
  connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
    m_logic.OnHeaderClicked(column);
    Refresh();
  });
  connect(m_export, &QPushButton::clicked, this, [this] { m_logic.OnExport(); });
  connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
  m_summary->setText(FromUtf8(m_logic.Summary()));
  Refresh();
}

void CReportDlg::Refresh() {
  const auto& rows = m_logic.Rows();
  m_table->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (int column = 0; column < ReportDialogLogic::kColumnCount; ++column) {
      auto* item = new QTableWidgetItem(FromUtf8(rows[r].cells[static_cast<std::size_t>(column)]));
      if (column >= ReportDialogLogic::kFirstCategory) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (rows[r].kind != ReportDialogLogic::RowKind::City) {
        QFont bold = item->font();
        bold.setBold(rows[r].kind == ReportDialogLogic::RowKind::Total);
        item->setFont(bold);
      }
      m_table->setItem(static_cast<int>(r), column, item);
    }
  }
  m_table->horizontalHeader()->setSortIndicator(m_logic.SortColumn(),
                                                m_logic.SortsDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);
  m_chart->update();
}

void CReportDlg::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  const ReportWindowLayout layout = LayOutReportWindow(width(), height());
  m_summary->setGeometry(ToQRect(layout.summary));
  m_table->setGeometry(ToQRect(layout.table));
  m_chart->setGeometry(ToQRect(layout.chart));
  m_export->setGeometry(ToQRect(layout.exportButton));
  m_close->setGeometry(ToQRect(layout.closeButton));
}

}  // namespace zelvane
