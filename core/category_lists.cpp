#include "core/category_lists.h"

#include <cstdint>
#include <new>

#include "core/block_reserve.h"

namespace zelvane {

CategoryCounts CategoryLists::Counts() const {
  CategoryCounts counts{};
  for (NumberCategory category : kAllCategories) counts[CategoryIndex(category)] = (*this)[category].size();
  return counts;
}

void CategoryLists::Truncate(const CategoryCounts& counts) {
  for (NumberCategory category : kAllCategories) (*this)[category].Truncate(counts[CategoryIndex(category)]);
}

std::string StatusText(const CategoryCounts& counts) {
  std::uint64_t total = 0;
  for (std::uint64_t count : counts) total += count;
  std::string text = "当前共有" + std::to_string(total) + "个号码";
  for (NumberCategory category : kAllCategories) {
    text += "，";
    text += CategoryLabel(category);
    text += std::to_string(counts[CategoryIndex(category)]) + "个";
  }
  return text;
}

namespace {

// About as many list blocks as a file of numbers fills: its bytes, and eight bytes of reference
// for a number of a dozen bytes. Small files need none.
std::size_t ReserveBlocksFor(const std::filesystem::path& path) {
  std::uint64_t size = 0;
  if (NumberFileSize(path, size) || size < 4 * BlockReserve::kBlockSize) return 0;
  return static_cast<std::size_t>(size / BlockReserve::kBlockSize * 3 / 2);
}

}  // namespace

FileResult ImportNumberFile(const std::filesystem::path& path, CategoryLists& lists,
                            std::vector<NumberCategory>& imported) {
  const CategoryCounts before = lists.Counts();
  const std::size_t importedBefore = imported.size();
  FileResult error;
  try {
    const BlockReserve reserve(ReserveBlocksFor(path));
    error = ForEachClassifiedNumberInFile(path, [&](std::string_view number, NumberCategory category) {
      lists[category].Append(number);
      imported.push_back(category);
    });
  } catch (const std::bad_alloc&) {
    error = OutOfMemoryError(path);
  }
  if (error) {
    lists.Truncate(before);
    imported.resize(importedBefore);
  }
  return error;
}

}  // namespace zelvane
