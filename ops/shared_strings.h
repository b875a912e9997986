#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ops/cell_numbers.h"
#include "ops/xml_parser.h"

namespace zelvane {

// A workbook's table of shared strings, kept as what the program needs of each: the numbers found in
// it and whether it is a rounded figure or the header looked for. A million strings take a few bytes
// each beside their numbers. The text itself is kept of the first kKeptTexts strings only, where
// spreadsheets put the header row's (they number strings in the order they first wrote them).
class SharedStrings : public XmlHandler {
 public:
  explicit SharedStrings(const std::vector<std::string>& headerTexts) : text_(headerTexts) {}

  std::size_t Count() const { return ends_.size(); }
  KnownCell At(std::size_t index) const;

  void Start(std::string_view name, const char** attributes) override;
  void End(std::string_view name) override;
  void Text(std::string_view text) override {
    if (inText_ && phonetic_ == 0) text_.Feed(text, [this](std::string_view number) { Add(number); });
  }

  static constexpr std::size_t kKeptTexts = 1024;

 private:
  static constexpr std::uint64_t kRounded = std::uint64_t{1} << 63;
  static constexpr std::uint64_t kHeader = std::uint64_t{1} << 62;

  void Add(std::string_view number) {
    numbers_.append(number);
    numbers_ += '\n';
  }

  CellTextReader text_;
  std::string numbers_;
  std::vector<std::uint64_t> ends_;  // where each string's numbers end in numbers_, and its two flags
  std::string texts_;                // the first strings' texts, short ones only (CellTextReader::Head)
  std::vector<std::size_t> textEnds_;
  bool inString_ = false;
  bool inText_ = false;
  int phonetic_ = 0;  // inside a phonetic reading (rPh), whose text is not the cell's
};

}  // namespace zelvane
