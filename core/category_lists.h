#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/carrier_prefix_table.h"
#include "core/file_error.h"
#include "core/number_category.h"
#include "core/number_file_reader.h"
#include "core/number_list.h"

namespace zelvane {

using CategoryCounts = std::array<std::uint64_t, kCategoryCount>;

// Every number imported so far, one list per category, in import order, duplicates kept.
class CategoryLists {
 public:
  NumberList& operator[](NumberCategory category) { return lists_[CategoryIndex(category)]; }
  const NumberList& operator[](NumberCategory category) const { return lists_[CategoryIndex(category)]; }

  CategoryCounts Counts() const;

  // Back to the sizes of an earlier Counts().
  void Truncate(const CategoryCounts& counts);

 private:
  std::array<NumberList, kCategoryCount> lists_;
};

// "当前共有…个号码，移动…个，联通…个，电信…个，小灵通…个，其他…个".
std::string StatusText(const CategoryCounts& counts);

// Reads a number file and hands every number to receive, normalised, with its category, in file order.
template <class Receiver>
FileResult ForEachClassifiedNumberInFile(const std::filesystem::path& path, Receiver&& receive) {
  const CarrierPrefixTable& table = GlobalCarrierPrefixTable();
  return ForEachNumberInFile(path, [&](std::string_view token) {
    const std::string_view number = NormalizeNumber(token);
    receive(number, ClassifyNumber(number, table));
  });
}

// Appends the file's numbers to their lists. imported receives the category of each number of
// this import in file order. On failure lists and imported are as they were.
FileResult ImportNumberFile(const std::filesystem::path& path, CategoryLists& lists,
                            std::vector<NumberCategory>& imported);

}  // namespace zelvane
