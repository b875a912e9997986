// Arbitrary text as a prefix table or an area table, in UTF-8 or in UTF-16 of either byte order as
// Notepad saves it: a refused table names a line of the text and no control character; a table taken
// decides every rule's own numbers as the longest of its rules, read naively from the same text, does.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/area_table.h"
#include "core/prefix_table.h"
#include "core/text_encoding.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// The rules of a table the parser took: each line that says something (LF or CR LF ends a line; a lone CR
// is text), cut at blanks and tabs.
std::vector<std::vector<std::string>> RulesOf(std::string_view text) {
  std::vector<std::vector<std::string>> rules;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    std::vector<std::string> fields;
    std::string field;
    for (const char c : std::string(line) + " ") {
      if (c == ' ' || c == '\t') {
        if (!field.empty()) fields.push_back(std::move(field));
        field.clear();
      } else {
        field.push_back(c);
      }
    }
    if (!fields.empty() && !fields[0].starts_with('#')) rules.push_back(std::move(fields));
  }
  return rules;
}

// The number a rule's prefix stands for: a mobile number padded to 11 digits, an area code with a local number.
std::string NumberOf(const std::string& prefix) {
  if (prefix.starts_with('0')) return prefix + "1234567";
  return prefix + std::string(11 - std::min<std::size_t>(prefix.size(), 11), '0');
}

void CheckRefusal(const zelvane::TableLineError& error, std::string_view text) {
  Check(error.line >= 1 && !error.reason.empty());
  std::size_t lines = 1;
  for (const char c : text) lines += c == '\n' ? 1 : 0;
  Check(error.line <= lines);
  const std::string message = zelvane::TableErrorMessage("号段表", "t.txt", error);
  for (const char c : message) Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
}

void CheckPrefixTable(std::string_view text) {
  zelvane::PrefixTable::ParseError error;
  const std::optional<zelvane::PrefixTable> table = zelvane::PrefixTable::Parse(text, error);
  if (!table) return CheckRefusal(error, text);
  const auto rules = RulesOf(text);
  Check(rules.size() == table->Rules().size());
  for (const auto& rule : rules) {
    const std::string number = NumberOf(rule[0]);
    if (number.size() != 11 || number.starts_with('0')) continue;  // other lengths and area codes: not by rule
    std::size_t best = 0;
    zelvane::NumberCategory expected = zelvane::NumberCategory::Other;
    for (const zelvane::PrefixTable::Rule& other : table->Rules()) {
      if (number.starts_with(other.prefix) && other.prefix.size() > best) {
        best = other.prefix.size();
        expected = other.category;
      }
    }
    Check(table->Classify(number) == expected);
  }
}

void CheckAreaTable(std::string_view text) {
  zelvane::AreaTable::ParseError error;
  const std::optional<zelvane::AreaTable> table = zelvane::AreaTable::Parse(text, error);
  if (!table) return CheckRefusal(error, text);
  const auto rules = RulesOf(text);
  for (const auto& rule : rules) {
    Check(rule.size() == 3);
    const std::string number = NumberOf(rule[0]);
    const std::vector<std::string>* longest = nullptr;
    for (const auto& other : rules) {
      if (number.starts_with(other[0]) && (longest == nullptr || other[0].size() > (*longest)[0].size())) {
        longest = &other;
      }
    }
    const zelvane::AreaTable::AreaId area = table->Lookup(number);
    Check(longest != nullptr && table->Province(area) == (*longest)[1] && table->City(area) == (*longest)[2]);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned mode = data[0];
  std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (mode & 2) {
    zelvane::Utf16Converter converter((mode & 4) ? zelvane::Utf16Converter::ByteOrder::BigEndian
                                                 : zelvane::Utf16Converter::ByteOrder::LittleEndian,
                                      zelvane::Utf16Converter::Target::Utf8);
    std::string converted;
    Check(converter.Convert(text, converted));
    converter.Finish(converted);
    text = std::move(converted);
  }
  if (mode & 1) {
    CheckAreaTable(text);
  } else {
    CheckPrefixTable(text);
  }
  return 0;
}
