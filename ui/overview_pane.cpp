#include "ui/overview_pane.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QSignalBlocker>

#include "ui/category_chart.h"
#include "ui/ui_text.h"

namespace zelvane {

namespace {

const int kLoadedTable = MainDialogLogic::kLoadedTable;

}  // namespace

COverviewPane::COverviewPane(QWidget* parent)
    : QFrame(parent), m_tables(new QComboBox(this)), m_chart(new CategoryChart(this)) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  m_tables->setAccessibleName(QStringLiteral("号段表"));
  for (std::string_view name : MainDialogLogic::kFixedTableNames) m_tables->addItem(FromUtf8(name));
  m_tables->addItem(FromUtf8(MainDialogLogic::kLoadTableName));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 3, 4, 3);
  layout->addWidget(m_tables, 0, Qt::AlignTop);
  layout->addWidget(m_chart, 1);
  connect(m_tables, &QComboBox::activated, this, [this] { emit TableChosen(ChosenTable()); });
}

int COverviewPane::ChosenTable() const {
  return m_tables->currentIndex() == m_tables->count() - 1 ? -1 : m_tables->currentIndex();
}

void COverviewPane::ChooseTable(int entry) {
  const QSignalBlocker quiet(m_tables);
  m_tables->setCurrentIndex(entry);
}

void COverviewPane::ShowLoadedTable(const QString& name, const QString& path) {
  const QSignalBlocker quiet(m_tables);
  if (m_tables->count() == kLoadedTable + 1) m_tables->insertItem(kLoadedTable, QString());
  m_tables->setItemText(kLoadedTable, name);
  m_tables->setItemData(kLoadedTable, path, Qt::ToolTipRole);
  m_tables->setCurrentIndex(kLoadedTable);
}

void COverviewPane::ShowCounts(const CategoryCounts& counts) { m_chart->SetCounts(counts); }

}  // namespace zelvane
