#include "ops/list_report.h"

#include "ops/atomic_file_writer.h"
#include "ops/number_file_format.h"
#include "ops/table_writer.h"

#include <algorithm>
#include <map>
#include <memory>
#include <numeric>
#include <tuple>

namespace zelvane {

namespace {

constexpr std::string_view kTotalLabel = "合计";

// The table's columns: the area's names (and code) as text, then the counts of each category and their total.
std::vector<TableColumn> ReportColumns(ReportLevel level) {
  std::vector<TableColumn> columns = {{"省份"}};
  if (level == ReportLevel::City) columns.insert(columns.end(), {{"城市"}, {"区号"}});
  for (const NumberCategory category : kAllCategories) columns.push_back({CategoryLabel(category), true});
  columns.push_back({kTotalLabel, true});
  return columns;
}

// A row's fields in the columns' order.
std::vector<std::string> ReportFields(const ReportRow& row, ReportLevel level) {
  std::vector<std::string> fields = {row.province};
  if (level == ReportLevel::City) fields.insert(fields.end(), {row.city, row.areaCode});
  for (const std::uint64_t count : row.counts) fields.push_back(std::to_string(count));
  fields.push_back(std::to_string(row.Total()));
  return fields;
}

}  // namespace

std::uint64_t ReportRow::Total() const { return std::accumulate(counts.begin(), counts.end(), std::uint64_t{0}); }

std::uint64_t AreaCategoryCounts::Count(AreaTable::AreaId area) const {
  const auto first = counts_.begin() + static_cast<std::ptrdiff_t>(std::size_t{area} * kCategoryCount);
  return std::accumulate(first, first + kCategoryCount, std::uint64_t{0});
}

std::vector<ReportRow> AreaCategoryCounts::Rows(ReportLevel level) const {
  std::vector<ReportRow> rows;
  std::map<std::string_view, std::size_t> provinceRow;
  ReportRow total{std::string(kTotalLabel), "", "", {}};
  for (AreaTable::AreaId area = 0; area <= areas_->AreaCount(); ++area) {
    if (Count(area) == 0) continue;
    const std::string_view province = areas_->Province(area);
    std::size_t row = rows.size();
    if (level == ReportLevel::City) {
      rows.push_back(
          ReportRow{std::string(province), std::string(areas_->City(area)), std::string(areas_->AreaCode(area)), {}});
    } else if (const auto [at, added] = provinceRow.emplace(province, row); added) {
      rows.push_back(ReportRow{std::string(province), "", "", {}});
    } else {
      row = at->second;
    }
    for (std::size_t category = 0; category < kCategoryCount; ++category) {
      const std::uint64_t count = counts_[std::size_t{area} * kCategoryCount + category];
      rows[row].counts[category] += count;
      total.counts[category] += count;
    }
  }
  std::ranges::sort(rows, [](const ReportRow& a, const ReportRow& b) {
    if (a.Total() != b.Total()) return a.Total() > b.Total();
    return std::tie(a.province, a.city) < std::tie(b.province, b.city);
  });
  rows.push_back(std::move(total));
  return rows;
}

std::string ShareText(std::uint64_t count, std::uint64_t whole) {
  const std::uint64_t permille = whole == 0 ? 0 : (count * 1000 + whole / 2) / whole;
  return std::to_string(permille / 10) + "." + std::to_string(permille % 10) + "%";
}

std::string ReportSummaryText(const ReportSummary& summary, CountForm form) {
  const auto count = [form](std::uint64_t n) { return CountText(n, form); };
  return "共" + count(summary.numbers) + "个号码，不同的号码" + count(summary.distinct) + "个，重复" +
         count(summary.numbers - summary.distinct) + "个，未知地区" + count(summary.unknownArea) + "个（" +
         ShareText(summary.unknownArea, summary.numbers) + "）";
}

std::string ReportTableText(const std::vector<ReportRow>& rows, ReportLevel level, char delimiter) {
  std::string text;
  const auto line = [&](const auto& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) text += delimiter;
      text += fields[i];
    }
    text += '\n';
  };
  std::vector<std::string_view> header;
  for (const TableColumn& column : ReportColumns(level)) header.push_back(column.title);
  line(header);
  for (const ReportRow& row : rows) line(ReportFields(row, level));
  return text;
}

FileResult WriteReportTable(const std::filesystem::path& path, const std::vector<ReportRow>& rows, ReportLevel level) {
  AtomicFileWriter file(path);
  if (FileResult error = file.Open()) return error;
  const NumberFileFormat format = FormatOfPath(path);
  if (format == NumberFileFormat::Text) {
    file.Write(ReportTableText(rows, level, '\t'));
    return file.Commit();
  }
  FileResult error;
  const std::unique_ptr<TableWriter> table = MakeTableWriter(format, file, ReportColumns(level), error);
  if (!table) return error;
  for (const ReportRow& row : rows) {
    const std::vector<std::string> fields = ReportFields(row, level);
    const std::vector<std::string_view> cells(fields.begin(), fields.end());
    table->AddRow(cells);
  }
  if (FileResult finished = table->Finish()) return finished;
  return file.Commit();
}

}  // namespace zelvane
