#include "ui/logic/report_dialog_logic.h"

#include <algorithm>
#include <compare>
#include <tuple>

#include "core/count_text.h"
#include "ui/logic/main_window_view.h"
#include "ui/logic/shown_numbers.h"

namespace zelvane {

namespace {

std::string Grouped(std::uint64_t count) { return CountText(count, CountForm::Grouped); }

}  // namespace

ListReportData ReportOfLists(const ShownNumbers& numbers, std::uint64_t repeats) {
  const NumberAreas& areas = numbers.Areas();
  AreaCategoryCounts counts(areas.Table());
  std::uint64_t total = 0;
  for (const NumberCategory category : kAllCategories) {
    const std::uint64_t size = numbers.Lists()[category].size();
    for (std::uint64_t i = 0; i < size; ++i) counts.Add(areas.Of(category, i), category);
    total += size;
  }
  return ListReportData{counts.Rows(ReportLevel::Province), counts.Rows(ReportLevel::City),
                        ReportSummary{total, total - repeats, counts.Count(AreaTable::kUnknown)}};
}

ReportDialogLogic::ReportDialogLogic(MainWindowView& view, ListReportData data)
    : m_view(view), m_data(std::move(data)) {
  Rebuild();
}

std::string ReportDialogLogic::Summary() const { return ReportSummaryText(m_data.summary, CountForm::Grouped); }

bool ReportDialogLogic::Before(const ReportRow& a, const ReportRow& b) const {
  const auto count = [this](const ReportRow& row) {
    return m_sortColumn >= kFirstCategory && m_sortColumn < kTotal
               ? row.counts[static_cast<std::size_t>(m_sortColumn - kFirstCategory)]
               : row.Total();
  };
  const std::strong_ordering order = m_sortColumn == kArea
                                         ? std::tie(a.province, a.city) <=> std::tie(b.province, b.city)
                                     : m_sortColumn == kAreaCode ? a.areaCode <=> b.areaCode
                                                                 : count(a) <=> count(b);
  if (order == 0) return std::tie(a.province, a.city) < std::tie(b.province, b.city);
  return m_descending ? order > 0 : order < 0;
}

ReportDialogLogic::ShownRow ReportDialogLogic::RowOf(const ReportRow& row, RowKind kind) const {
  const bool opens = kind == RowKind::Province && std::ranges::any_of(m_data.cities, [&](const ReportRow& city) {
                       return city.province == row.province && !city.city.empty();
                     });
  ShownRow shown{kind, opens, {}};
  shown.cells[kArea] = kind == RowKind::City ? "　" + row.city
                       : opens               ? (m_opened == row.province ? "- " : "+ ") + row.province
                                             : row.province;
  shown.cells[kAreaCode] = row.areaCode;
  for (std::size_t category = 0; category < kCategoryCount; ++category) {
    shown.cells[kFirstCategory + category] = Grouped(row.counts[category]);
  }
  shown.cells[kTotal] = Grouped(row.Total());
  shown.cells[kShare] = ShareText(row.Total(), m_data.summary.numbers);
  return shown;
}

void ReportDialogLogic::Rebuild() {
  const auto sorted = [this](const std::vector<ReportRow>& rows, auto admits) {
    std::vector<const ReportRow*> kept;
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
      if (admits(rows[i])) kept.push_back(&rows[i]);
    }
    std::ranges::sort(kept, [this](const ReportRow* a, const ReportRow* b) { return Before(*a, *b); });
    return kept;
  };
  m_rows.clear();
  m_shown.clear();
  for (const ReportRow* province : sorted(m_data.provinces, [](const ReportRow&) { return true; })) {
    m_rows.push_back(RowOf(*province, RowKind::Province));
    m_shown.push_back(province);
    if (m_opened != province->province) continue;
    for (const ReportRow* city : sorted(m_data.cities, [&](const ReportRow& row) {
           return row.province == province->province && !row.city.empty();
         })) {
      m_rows.push_back(RowOf(*city, RowKind::City));
      m_shown.push_back(city);
    }
  }
  m_rows.push_back(RowOf(m_data.provinces.back(), RowKind::Total));
  m_shown.push_back(&m_data.provinces.back());
}

std::vector<ReportDialogLogic::ChartBar> ReportDialogLogic::Chart() const {
  std::vector<const ReportRow*> rows;
  for (std::size_t i = 0; i + 1 < m_data.provinces.size(); ++i) rows.push_back(&m_data.provinces[i]);
  if (m_opened) {
    rows.clear();
    for (const ReportRow& city : m_data.cities) {
      if (city.province == *m_opened && !city.city.empty()) rows.push_back(&city);
    }
  }
  std::ranges::stable_sort(rows, [](const ReportRow* a, const ReportRow* b) { return a->Total() > b->Total(); });
  rows.resize(std::min(rows.size(), kChartBars));
  std::vector<ChartBar> bars;
  for (const ReportRow* row : rows) {
    const double largest = static_cast<double>(rows.front()->Total());
    bars.push_back(
        {m_opened ? row->city : row->province, Grouped(row->Total()), static_cast<double>(row->Total()) / largest});
  }
  return bars;
}

void ReportDialogLogic::OnHeaderClicked(int column) {
  if (column < 0 || column >= kColumnCount) return;
  // Counts largest first, names and codes in order; the same column again the other way.
  m_descending = column == m_sortColumn ? !m_descending : column != kArea && column != kAreaCode;
  m_sortColumn = column;
  Rebuild();
}

void ReportDialogLogic::OnRowActivated(std::size_t row) {
  if (row >= m_rows.size() || !m_rows[row].opens) return;
  const std::string& province = m_shown[row]->province;
  m_opened = m_opened == province ? std::nullopt : std::optional(province);
  Rebuild();
}

void ReportDialogLogic::OnExport() {
  const std::optional<SavedFile> saved = m_view.UserPrompts().ChooseSaveFile(kReportExportPrompt);
  if (!saved) return;
  const std::filesystem::path& path = saved->path;
  std::vector<ReportRow> rows;
  for (const ReportRow* row : m_shown) rows.push_back(*row);
  const FileResult error = WriteReportTable(path, rows, ReportLevel::City);
  m_view.UserPrompts().ShowMessage(error ? error->Message() : "导出完毕");
}

}  // namespace zelvane
