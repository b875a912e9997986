#include "core/prefix_table.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include "core/builtin_prefix_tables.h"

namespace zelvane {

namespace {

constexpr std::size_t kMaxTableFileSize = std::size_t{16} << 20;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<NumberCategory> CategoryNamed(std::string_view label) {
  for (NumberCategory category : kAllCategories) {
    if (CategoryLabel(category) == label) return category;
  }
  return std::nullopt;
}

PrefixTable BuiltIn(std::string_view text) {
  PrefixTable::ParseError error;
  std::optional<PrefixTable> table = PrefixTable::Parse(text, error);
  if (!table) std::abort();  // the compiled-in tables are checked by the tests
  return std::move(*table);
}

}  // namespace

const PrefixTable& PrefixTable::Original() {
  static const PrefixTable table = BuiltIn(builtin_prefix_tables::kOriginal);
  return table;
}

const PrefixTable& PrefixTable::Current() {
  static const PrefixTable table = BuiltIn(builtin_prefix_tables::kCurrent);
  return table;
}

std::optional<PrefixTable> PrefixTable::Parse(std::string_view text, ParseError& error) {
  PrefixTable table;
  table.text_ = text;
  std::map<std::string_view, std::size_t> lineOf;  // of each prefix seen
  std::optional<TableLineError> failure =
      ForEachTableLine(text, [&](std::size_t lineNumber, std::string_view line) -> std::optional<std::string> {
        line = TrimBlanks(line);
        if (line.empty() || line.starts_with('#')) return std::nullopt;

        const std::size_t digits = std::min(line.find_first_not_of("0123456789"), line.size());
        const std::string_view label = TrimBlanks(line.substr(digits));
        if (digits == 0 || digits > kMaxPrefixLength || digits == line.size() || !IsBlank(line[digits]) ||
            label.find_first_of(" \t") != std::string_view::npos) {
          return "应为“号段 类别”，号段是 1 到 7 位数字，如“139 移动”";
        }
        const std::optional<NumberCategory> category = CategoryNamed(label);
        if (!category) return "未知的类别“" + std::string(label) + "”，应为移动、联通、电信、小灵通或其他";
        const std::string_view prefix = line.substr(0, digits);
        if (const auto [seen, added] = lineOf.emplace(prefix, lineNumber); !added) {
          return "号段" + std::string(prefix) + "重复（第" + std::to_string(seen->second) + "行已有）";
        }
        if (table.rules_.size() == kMaxRules) return "规则超过" + std::to_string(kMaxRules) + "条";
        table.rules_.push_back(Rule{std::string(prefix), *category});
        return std::nullopt;
      });
  if (failure) {
    error = std::move(*failure);
    return std::nullopt;
  }
  std::ranges::sort(table.rules_, {}, &Rule::prefix);
  table.Build();
  return table;
}

std::int32_t PrefixTable::AddNode() {
  Node node;
  node.next.fill(-1);
  node.category = -1;
  nodes_.push_back(node);
  return static_cast<std::int32_t>(nodes_.size() - 1);
}

void PrefixTable::Build() {
  nodes_.clear();
  AddNode();  // the root
  for (const Rule& rule : rules_) {
    std::int32_t node = kRoot;
    for (char c : rule.prefix) {
      const auto digit = static_cast<std::size_t>(c - '0');
      if (nodes_[static_cast<std::size_t>(node)].next[digit] < 0) {
        const std::int32_t added = AddNode();  // may move the nodes
        nodes_[static_cast<std::size_t>(node)].next[digit] = added;
      }
      node = nodes_[static_cast<std::size_t>(node)].next[digit];
    }
    nodes_[static_cast<std::size_t>(node)].category = static_cast<std::int8_t>(rule.category);
  }
  for (std::size_t value = 0; value < firstThree_.size(); ++value) {
    const char digits[] = {static_cast<char>('0' + value / 100), static_cast<char>('0' + value / 10 % 10),
                           static_cast<char>('0' + value % 10)};
    Entry entry;
    std::int32_t node = kRoot;
    for (char c : digits) {
      node = nodes_[static_cast<std::size_t>(node)].next[static_cast<std::size_t>(c - '0')];
      if (node < 0) break;
      if (nodes_[static_cast<std::size_t>(node)].category >= 0) {
        entry.category = static_cast<NumberCategory>(nodes_[static_cast<std::size_t>(node)].category);
      }
    }
    if (node >= 0 && std::ranges::any_of(nodes_[static_cast<std::size_t>(node)].next, [](auto n) { return n >= 0; })) {
      entry.node = node;
    }
    firstThree_[value] = entry;
  }
}

NumberCategory PrefixTable::LongestMatch(std::string_view number, std::size_t from, std::int32_t node,
                                         NumberCategory best) const {
  for (std::size_t i = from; i < number.size(); ++i) {
    const auto digit = static_cast<unsigned>(number[i] - '0');
    if (digit >= 10) break;
    node = nodes_[static_cast<std::size_t>(node)].next[digit];
    if (node < 0) break;
    const std::int8_t category = nodes_[static_cast<std::size_t>(node)].category;
    if (category >= 0) best = static_cast<NumberCategory>(category);
  }
  return best;
}

std::optional<PrefixTable> LoadPrefixTable(const std::filesystem::path& path, TableLoadError& error) {
  return LoadTableFile<PrefixTable>(path, "号段表", kMaxTableFileSize, error);
}


}  // namespace zelvane
