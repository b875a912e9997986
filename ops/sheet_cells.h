#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ops/cell_numbers.h"
#include "ops/shared_strings.h"
#include "ops/xml_parser.h"

namespace zelvane {

// Reads a worksheet's cells into cells: shared and inline strings, a formula's text result and whole
// numbers (their exact digits). Booleans, errors, dates and fractions hold no number. A cell outside a
// worksheet's bounds or a shared string that is not there is damage: Damage() tells.
class SheetCells : public XmlHandler {
 public:
  SheetCells(CellNumbers& cells, const SharedStrings& shared) : cells_(cells), shared_(shared) {}

  const std::string& Damage() const { return damage_; }

  void Start(std::string_view name, const char** attributes) override;
  void End(std::string_view name) override;
  void Text(std::string_view text) override;

 private:
  enum class Kind : std::uint8_t { None, Number, Shared, Text, Inline };
  enum class Into : std::uint8_t { Nothing, Value, CellText };

  void StartCell(const char** attributes);
  void EndValue();
  void Fail(std::string text);

  CellNumbers& cells_;
  const SharedStrings& shared_;
  std::uint32_t row_ = 0;
  bool rowSeen_ = false;
  bool rowNumbered_ = false;
  std::uint32_t column_ = 0;
  bool columnSeen_ = false;
  Kind kind_ = Kind::None;
  Into into_ = Into::Nothing;
  bool wanted_ = false;
  int phonetic_ = 0;
  std::array<char, 64> value_{};
  std::size_t valueLength_ = 0;
  std::string damage_;
};

}  // namespace zelvane
