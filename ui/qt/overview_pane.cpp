#include "ui/qt/overview_pane.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/logic/main_window_layout.h"
#include "ui/qt/category_chart.h"
#include "ui/qt/ui_text.h"

namespace zelvane {

namespace {

QComboBox* MakeChoice(QWidget* parent, const char* name, std::string_view tip,
                      std::initializer_list<std::string_view> entries) {
  auto* choice = new QComboBox(parent);
  choice->setAccessibleName(QString::fromUtf8(name));
  choice->setToolTip(FromUtf8(tip));
  for (std::string_view entry : entries) choice->addItem(FromUtf8(entry));
  return choice;
}

int Chosen(const QComboBox& choice) { return MainDialogLogic::ChoiceEntry(choice.currentIndex(), choice.count()); }

void Choose(QComboBox& choice, int entry) {
  const QSignalBlocker quiet(&choice);
  choice.setCurrentIndex(entry);
}

// Adds (or renames) the entry of a loaded file at loaded, before the last one, and chooses it quietly.
void ShowLoaded(QComboBox& choice, int loaded, const QString& name, const QString& path) {
  const QSignalBlocker quiet(&choice);
  if (choice.count() == loaded + 1) choice.insertItem(loaded, QString());
  choice.setItemText(loaded, name);
  choice.setItemData(loaded, path, Qt::ToolTipRole);
  choice.setCurrentIndex(loaded);
}

}  // namespace

COverviewPane::COverviewPane(QWidget* parent)
    : QFrame(parent),
      m_tables(MakeChoice(this, "号段表", kTableChoiceTip,
                          {MainDialogLogic::kFixedTableNames[0], MainDialogLogic::kFixedTableNames[1],
                           MainDialogLogic::kLoadTableName})),
      m_areaTables(MakeChoice(this, "归属地表", kAreaTableChoiceTip,
                              {MainDialogLogic::kBuiltInAreasName, MainDialogLogic::kLoadAreasName})),
      m_areas(MakeChoice(this, "地区", kAreaChoiceTip, {})),
      m_chart(new CategoryChart(this)) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  auto* choices = new QVBoxLayout;
  choices->setSpacing(1);
  for (QComboBox* choice : {m_tables, m_areaTables, m_areas}) {
    // Wide enough for its fixed entries whole ("原始号段（2009）"); a loaded table's long name may be cut.
    const QFontMetrics metrics = choice->fontMetrics();
    int widest = 0;
    for (int entry = 0; entry < choice->count(); ++entry) {
      widest = std::max(widest, metrics.horizontalAdvance(choice->itemText(entry)));
    }
    const int x = metrics.horizontalAdvance(QLatin1Char('x'));
    choice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    choice->setMinimumContentsLength(std::max(8, (widest + x - 1) / x));
    choices->addWidget(choice);
  }
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(3, 2, 3, 2);
  layout->addLayout(choices);
  layout->addWidget(m_chart, 1);
  connect(m_tables, &QComboBox::activated, this, [this] { emit TableChosen(ChosenTable()); });
  connect(m_areaTables, &QComboBox::activated, this, [this] { emit AreaTableChosen(Chosen(*m_areaTables)); });
  connect(m_areas, &QComboBox::activated, this, [this](int entry) { emit AreaChosen(entry); });
}

int COverviewPane::ChosenTable() const { return Chosen(*m_tables); }

void COverviewPane::ChooseTable(int entry) { Choose(*m_tables, entry); }

void COverviewPane::ShowLoadedTable(const QString& name, const QString& path) {
  ShowLoaded(*m_tables, MainDialogLogic::kLoadedTable, name, path);
}

void COverviewPane::ChooseAreaTable(int entry) { Choose(*m_areaTables, entry); }

void COverviewPane::ShowLoadedAreaTable(const QString& name, const QString& path) {
  ShowLoaded(*m_areaTables, MainDialogLogic::kLoadedAreas, name, path);
}

void COverviewPane::ShowAreas(const std::vector<AreaEntry>& entries, std::size_t chosen) {
  const QSignalBlocker quiet(m_areas);
  m_areas->clear();
  int widest = 0;
  for (const AreaEntry& entry : entries) {
    m_areas->addItem(FromUtf8(entry.label));
    widest = std::max(widest, m_areas->fontMetrics().horizontalAdvance(FromUtf8(entry.label)));
  }
  m_areas->setCurrentIndex(static_cast<int>(chosen));
  // The drop-down as wide as its widest entry ("广东省 (1,104,410)"), however narrow the choice is.
  const int frame = 2 * m_areas->view()->frameWidth() + m_areas->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  m_areas->view()->setMinimumWidth(widest + frame + 8);
}

void COverviewPane::ShowCounts(const CategoryCounts& counts) { m_chart->SetCounts(counts); }

}  // namespace zelvane
