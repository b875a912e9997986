#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ops/column_numbers.h"
#include "ui/logic/list_entry.h"

namespace zelvane {

// "选择号码所在的列" over the columns of a table that hold numbers: an entry per column ("手机（B列）：
// 1,000个号码", or "B列：…" without a header), then "全部列"; the fullest column chosen at first.
class ColumnEntries {
 public:
  explicit ColumnEntries(std::vector<ColumnNumbers> columns);

  const std::vector<ListEntry>& Entries() const { return m_entries; }
  // The first of the columns with the most numbers.
  std::size_t Fullest() const { return m_fullest; }
  // The column that an entry reads, as InputReading::column names it: its letters; empty for 全部列.
  std::string ColumnRead(std::size_t entry) const;

 private:
  std::vector<ColumnNumbers> m_columns;
  std::vector<ListEntry> m_entries;
  std::size_t m_fullest = 0;
};

}  // namespace zelvane
