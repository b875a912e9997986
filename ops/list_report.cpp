#include "ops/list_report.h"

#include "ops/atomic_file_writer.h"

#include <algorithm>
#include <map>
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
  file.Write(ReportTableText(rows, level, '\t'));
  return file.Commit();
}

}  // namespace zelvane
