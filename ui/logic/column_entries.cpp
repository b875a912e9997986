#include "ui/logic/column_entries.h"

#include <utility>

#include "core/count_text.h"
#include "ops/cell_reference.h"

namespace zelvane {

namespace {

std::string CountOf(std::uint64_t numbers) { return "：" + CountText(numbers, CountForm::Grouped) + "个号码"; }

}  // namespace

ColumnEntries::ColumnEntries(std::vector<ColumnNumbers> columns) : m_columns(std::move(columns)) {
  std::uint64_t all = 0;
  for (std::size_t i = 0; i < m_columns.size(); ++i) {
    const ColumnNumbers& column = m_columns[i];
    const std::string letters = ColumnLetters(column.column) + "列";
    m_entries.push_back(
        {(column.header.empty() ? letters : column.header + "（" + letters + "）") + CountOf(column.numbers), ""});
    if (column.numbers > m_columns[m_fullest].numbers) m_fullest = i;
    all += column.numbers;
  }
  m_entries.push_back({"全部列" + CountOf(all), ""});
}

std::string ColumnEntries::ColumnRead(std::size_t entry) const {
  return entry < m_columns.size() ? ColumnLetters(m_columns[entry].column) : std::string();
}

}  // namespace zelvane
