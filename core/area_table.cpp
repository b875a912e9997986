#include "core/area_table.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <unordered_map>
#include <utility>

namespace zelvane {

namespace builtin_area_table {
extern const std::string_view kText;  // builtin_area_table.cpp, made by CMake
}

namespace {

constexpr std::size_t kMaxTableFileSize = std::size_t{64} << 20;
constexpr std::string_view kUnknownArea = "未知地区";
constexpr std::string_view kFormat =
    "应为“号段 省份 城市”，号段是以 1 开头的 3 到 7 位数字或以 0 开头的区号，如“1391234 江苏省 南京市”";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The fields of a line, split at runs of blanks; a fourth one only tells that there are too many.
struct Fields {
  std::array<std::string_view, 4> field;
  std::size_t count = 0;
};

Fields SplitFields(std::string_view line) {
  Fields fields;
  std::size_t i = 0;
  while (i < line.size() && fields.count < fields.field.size()) {
    if (IsBlank(line[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    fields.field[fields.count++] = line.substr(i, end - i);
    i = end;
  }
  return fields;
}

bool IsPrefix(std::string_view prefix) {
  if (prefix.find_first_not_of("0123456789") != std::string_view::npos) return false;
  if (prefix.starts_with('1')) return prefix.size() >= 3 && prefix.size() <= 7;
  return prefix.starts_with('0') && prefix.size() >= 3 && prefix.size() <= 4 && prefix[1] != '0';
}

unsigned DigitsValue(std::string_view digits) {
  unsigned value = 0;
  for (char c : digits) value = value * 10 + static_cast<unsigned>(c - '0');
  return value;
}

// A number for each prefix, different for 13 and 013 and for 139 and 1390.
unsigned PrefixKey(std::string_view prefix) { return DigitsValue(prefix) * 8 + static_cast<unsigned>(prefix.size()); }

}  // namespace

const AreaTable& AreaTable::BuiltIn() {
  static const AreaTable table = [] {
    ParseError error;
    std::optional<AreaTable> parsed = Parse(builtin_area_table::kText, error);
    if (!parsed) std::abort();  // the compiled-in table is checked by the tests
    return std::move(*parsed);
  }();
  return table;
}

std::optional<AreaTable> AreaTable::Parse(std::string_view text, ParseError& error) {
  AreaTable table;
  table.text_ = text;
  table.areas_.push_back(Area{std::string(kUnknownArea), "", ""});
  std::map<std::pair<std::string_view, std::string_view>, AreaId> idOf;
  std::unordered_map<unsigned, std::size_t> lineOf;        // of each prefix seen
  std::pair<std::string_view, std::string_view> lastArea;  // neighbouring rules mostly share their area
  AreaId lastId = kUnknown;
  std::vector<std::pair<std::string_view, AreaId>> rules;
  std::optional<TableLineError> failure =
      ForEachTableLine(text, [&](std::size_t lineNumber, std::string_view line) -> std::optional<std::string> {
        const auto [fields, count] = SplitFields(line);
        if (count == 0 || fields[0].starts_with('#')) return std::nullopt;
        if (count != 3 || !IsPrefix(fields[0])) return std::string(kFormat);
        if (const auto [seen, added] = lineOf.emplace(PrefixKey(fields[0]), lineNumber); !added) {
          return "号段" + std::string(fields[0]) + "重复（第" + std::to_string(seen->second) + "行已有）";
        }
        if (lastId == kUnknown || lastArea != std::pair{fields[1], fields[2]}) {
          lastArea = {fields[1], fields[2]};
          const auto [area, isNew] = idOf.emplace(lastArea, static_cast<AreaId>(table.areas_.size()));
          if (isNew) {
            if (table.areas_.size() > kMaxAreas) return "地区超过" + std::to_string(kMaxAreas) + "个";
            table.areas_.push_back(Area{std::string(fields[1]), std::string(fields[2]), ""});
          }
          lastId = area->second;
        }
        rules.emplace_back(fields[0], lastId);
        return std::nullopt;
      });
  if (failure) {
    error = std::move(*failure);
    return std::nullopt;
  }
  // Shorter prefixes first, so that each longer one overwrites the part it covers.
  std::ranges::stable_sort(rules, {}, [](const auto& rule) { return rule.first.size(); });
  table.mobile_.assign(1000000, kUnknown);
  table.twoDigitCodes_.assign(100, kUnknown);
  table.threeDigitCodes_.assign(1000, kUnknown);
  for (const auto& [prefix, id] : rules) {
    if (prefix.starts_with('0')) {
      (prefix.size() == 3 ? table.twoDigitCodes_ : table.threeDigitCodes_)[DigitsValue(prefix.substr(1))] = id;
      continue;
    }
    std::size_t span = 1;
    for (std::size_t length = prefix.size(); length < kMobileBlockDigits; ++length) span *= 10;
    const auto first = table.mobile_.begin() + static_cast<std::ptrdiff_t>(DigitsValue(prefix.substr(1)) * span);
    std::fill(first, first + static_cast<std::ptrdiff_t>(span), id);
  }
  table.NameAreaCodes(rules);
  return table;
}

void AreaTable::NameAreaCodes(std::vector<std::pair<std::string_view, AreaId>> rules) {
  // Only a rule as long as a whole code names one: 010 and 02x, else 0 and three digits. A shorter rule
  // ("033 秦皇岛市") covers ten codes of which it cannot say which is the city's.
  std::erase_if(rules, [](const auto& rule) {
    const std::string_view prefix = rule.first;
    return !prefix.starts_with('0') || prefix.size() != (prefix[1] <= '2' ? 3u : 4u);
  });
  // Of several codes for one place (济南市 has 0531 and, since 莱芜 joined it, 0634) the shortest, then
  // the lowest, is the one shown.
  std::ranges::sort(rules, [](const auto& a, const auto& b) {
    return std::pair{a.first.size(), a.first} < std::pair{b.first.size(), b.first};
  });
  std::map<std::pair<std::string_view, std::string_view>, std::string_view> sharedCode;  // by province, city
  for (const auto& [code, id] : rules) {
    Area& area = areas_[id];
    if (area.code.empty()) area.code = code;
    // A code that names several cities ("沈阳市、铁岭市、抚顺市") is each one's code unless it has its own.
    for (std::string_view rest = area.city; !rest.empty();) {
      const std::size_t end = std::min(rest.find("、"), rest.size());
      if (end < area.city.size())
        sharedCode.emplace(std::pair{std::string_view(area.province), rest.substr(0, end)}, code);
      rest.remove_prefix(std::min(rest.size(), end + std::string_view("、").size()));
    }
  }
  for (Area& area : areas_) {
    if (!area.code.empty()) continue;
    if (const auto shared = sharedCode.find({area.province, area.city}); shared != sharedCode.end()) {
      area.code = shared->second;
    }
  }
}

std::string_view AreaTable::Province(AreaId id) const { return areas_.at(id).province; }

std::string_view AreaTable::City(AreaId id) const { return areas_.at(id).city; }

std::string_view AreaTable::AreaCode(AreaId id) const { return areas_.at(id).code; }

std::optional<AreaTable> LoadAreaTable(const std::filesystem::path& path, TableLoadError& error) {
  return LoadTableFile<AreaTable>(path, "归属地表", kMaxTableFileSize, error);
}

}  // namespace zelvane
