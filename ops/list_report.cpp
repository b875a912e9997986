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
  std::string text = "省份";
  const auto field = [&](std::string_view value) {
    text += delimiter;
    text += value;
  };
  if (level == ReportLevel::City) {
    field("城市");
    field("区号");
  }
  for (const NumberCategory category : kAllCategories) field(CategoryLabel(category));
  field(kTotalLabel);
  text += '\n';
  for (const ReportRow& row : rows) {
    text += row.province;
    if (level == ReportLevel::City) {
      field(row.city);
      field(row.areaCode);
    }
    for (const std::uint64_t count : row.counts) field(std::to_string(count));
    field(std::to_string(row.Total()));
    text += '\n';
  }
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
  // The same table cut into cells: the text form's lines and tab-separated fields.
  const std::string text = ReportTableText(rows, level, '\t');
  std::vector<std::vector<std::string_view>> lines;
  for (std::string_view rest = text; !rest.empty();) {
    const std::string_view line = rest.substr(0, rest.find('\n'));
    rest.remove_prefix(line.size() + 1);
    std::vector<std::string_view>& cells = lines.emplace_back();
    for (std::size_t start = 0;;) {
      const std::size_t tab = line.find('\t', start);
      cells.push_back(line.substr(start, tab - start));
      if (tab == std::string_view::npos) break;
      start = tab + 1;
    }
  }
  FileResult error;
  const std::unique_ptr<TableWriter> table = MakeTableWriter(format, file, lines.front(), error);
  if (!table) return error;
  for (std::size_t line = 1; line < lines.size(); ++line) table->AddRow(lines[line]);
  if (FileResult finished = table->Finish()) return finished;
  return file.Commit();
}

}  // namespace zelvane
