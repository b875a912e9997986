#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <tuple>

#include "core/area_table.h"
#include "core/prefix_table.h"
#include "ops/list_report.h"

namespace zelvane {
namespace {

using Counts = std::array<std::uint64_t, kCategoryCount>;

// Thousands of numbers from every kind of prefix (mobile blocks, area codes, unknown blocks, junk)
// counted by the report and, plainly, by each number's own lookup: the rows agree by city and by
// province, each area once, the largest first, 合计 the sum of all.
TEST(ListReport, RowsAgreeWithEachNumbersLookup) {
  const AreaTable& areas = AreaTable::BuiltIn();
  const PrefixTable& prefixes = PrefixTable::Current();
  std::mt19937 random(7);
  AreaCategoryCounts counts(areas);
  std::map<std::pair<std::string, std::string>, Counts> byCity;
  std::map<std::string, Counts> byProvince;
  Counts all{};
  for (int i = 0; i < 20000; ++i) {
    std::string number;
    switch (random() % 4) {
      case 0:
        number = "0" + std::to_string(10 + random() % 990) + std::to_string(10000000 + random() % 90000000);
        break;
      case 3: number = std::to_string(random() % 100000); break;
      default: number = "1" + std::to_string(3000000000u + random() % 7000000000u).substr(0, 10);
    }
    const AreaTable::AreaId area = areas.Lookup(number);
    const NumberCategory category = prefixes.Classify(number);
    counts.Add(area, category);
    ++byCity[{std::string(areas.Province(area)), std::string(areas.City(area))}][CategoryIndex(category)];
    ++byProvince[std::string(areas.Province(area))][CategoryIndex(category)];
    ++all[CategoryIndex(category)];
  }
  for (const ReportLevel level : {ReportLevel::City, ReportLevel::Province}) {
    const std::vector<ReportRow> rows = counts.Rows(level);
    std::size_t codes = 0;
    ASSERT_EQ(rows.size(), (level == ReportLevel::City ? byCity.size() : byProvince.size()) + 1);
    EXPECT_GT(rows.size(), 200u * (level == ReportLevel::City) + 30u);
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
      const ReportRow& row = rows[i];
      EXPECT_EQ(row.counts,
                level == ReportLevel::City ? byCity.at({row.province, row.city}) : byProvince.at(row.province))
          << row.province << row.city;
      if (i > 0) {
        EXPECT_GE(rows[i - 1].Total(), row.Total());
      }
      // A city's code dials the city, or the cities it shares the code with (a few cities have none
      // in the data: 亳州市, 金昌市, …).
      if (level == ReportLevel::City && !row.areaCode.empty()) {
        EXPECT_NE(areas.City(areas.Lookup(row.areaCode + "1234567")).find(row.city), std::string_view::npos)
            << row.city;
      }
      codes += !row.areaCode.empty();
    }
    EXPECT_GE(codes, level == ReportLevel::City ? rows.size() - 12 : 0u);
    EXPECT_EQ(rows.back().province, "合计");
    EXPECT_EQ(rows.back().counts, all);
    EXPECT_EQ(rows.back().Total(), 20000u);
  }
}

TEST(ListReport, TableAndSummaryText) {
  const AreaTable& areas = AreaTable::BuiltIn();
  AreaCategoryCounts counts(areas);
  counts.Add(areas.Lookup("075512345678"), NumberCategory::Phs);
  counts.Add(areas.Lookup("13000301234"), NumberCategory::Unicom);
  counts.Add(areas.Lookup("13000301234"), NumberCategory::Unicom);
  counts.Add(AreaTable::kUnknown, NumberCategory::Other);
  EXPECT_EQ(ReportTableText(counts.Rows(ReportLevel::City), ReportLevel::City, '\t'),
            "省份\t城市\t区号\t移动\t联通\t电信\t小灵通\t其他\t合计\n"
            "江苏省\t南京市\t025\t0\t2\t0\t0\t0\t2\n"
            "广东省\t深圳市\t0755\t0\t0\t0\t1\t0\t1\n"
            "未知地区\t\t\t0\t0\t0\t0\t1\t1\n"
            "合计\t\t\t0\t2\t0\t1\t1\t4\n");
  EXPECT_EQ(ReportTableText(counts.Rows(ReportLevel::Province), ReportLevel::Province, ','),
            "省份,移动,联通,电信,小灵通,其他,合计\n江苏省,0,2,0,0,0,2\n广东省,0,0,0,1,0,1\n未知地区,0,0,0,0,1,1\n"
            "合计,0,2,0,1,1,4\n");
  const std::tuple<ReportSummary, std::string> summaries[] = {
      {{4, 3, 1}, "共4个号码，不同的号码3个，重复1个，未知地区1个（25.0%）"},
      {{3, 3, 2}, "共3个号码，不同的号码3个，重复0个，未知地区2个（66.7%）"},
      {{0, 0, 0}, "共0个号码，不同的号码0个，重复0个，未知地区0个（0.0%）"}};
  for (const auto& [summary, text] : summaries) EXPECT_EQ(ReportSummaryText(summary), text);
}

}  // namespace
}  // namespace zelvane
