#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/count_text.h"
#include "core/file_error.h"
#include "core/normalize_number.h"
#include "core/number_category.h"
#include "core/number_file_reader.h"
#include "core/number_list.h"
#include "core/prefix_table.h"
#include "core/work_progress.h"

namespace zelvane {

using CategoryCounts = std::array<std::uint64_t, kCategoryCount>;

// How many numbers a number file of this many bytes holds, about: most take ten bytes or more
// with their separator.
constexpr std::uint64_t ExpectedNumbers(std::uint64_t fileBytes) { return fileBytes / 10; }

// Reads a number file and hands every number to receive, normalised, with its category by table,
// in file order.
template <class Receiver>
FileResult ForEachClassifiedNumberIn(NumberFile& file, const PrefixTable& table, Receiver&& receive,
                                     WorkProgress* progress = nullptr) {
  return ForEachNumberIn(
      file,
      [&](std::string_view token) {
        const std::string_view number = NormalizeNumber(token);
        receive(number, table.Classify(number));
      },
      progress);
}

// Every number imported so far, one list per category, each in import order, duplicates kept;
// and the category of every number in import order, so that the lists can be sorted again.
class CategoryLists {
 public:
  const NumberList& operator[](NumberCategory category) const { return lists_[CategoryIndex(category)]; }

  CategoryCounts Counts() const;
  // The bytes of every number together, give or take a few bytes per 2 MiB.
  std::uint64_t TextBytes() const;
  std::uint64_t size() const { return order_.size(); }
  // The category of each number, in import order: the numbers of one import are a stretch of it.
  std::span<const NumberCategory> Order() const { return order_; }

  CategoryLists() = default;
  CategoryLists(CategoryLists&&) noexcept = default;
  CategoryLists& operator=(CategoryLists&&) noexcept = default;

  // Appends the file's numbers to their lists, sorted by table. On failure, and when progress asks to
  // stop, the lists are as they were. Another thread may read the lists while it runs as long as it
  // holds readers: the import holds it while it changes them, a piece of the file at a time.
  FileResult Import(NumberFile& file, const PrefixTable& table, WorkProgress* progress = nullptr,
                    std::mutex* readers = nullptr);
  // The same for text that read hands over as NumberFile::Read does (the numbers found in a table, say),
  // from the file at path of size bytes.
  using TextReader = std::function<FileResult(const NumberFile::Sink& sink, WorkProgress* progress)>;
  FileResult Import(const TextReader& read, const std::filesystem::path& path, std::uint64_t size,
                    const PrefixTable& table, WorkProgress* progress = nullptr, std::mutex* readers = nullptr);
  // Takes the last import back: before is what Counts() said just before it.
  void UndoImport(const CategoryCounts& before);
  // One number, normalised, of its category, after the others (for readers other than Import).
  void Append(std::string_view number, NumberCategory category) {
    lists_[CategoryIndex(category)].Append(number);
    order_.push_back(category);
  }

  // Forgets every number.
  void Clear() { *this = CategoryLists(); }

  // The same numbers without those that repeat one before them in import order; removed counts them.
  // Nothing when there is nothing to remove. A number's category follows from its text, so its repeats
  // are in its own list. progress counts each number twice (marked, then kept); once it asks to stop,
  // what comes back is incomplete and goes unused.
  std::optional<CategoryLists> WithoutRepeats(std::uint64_t& removed, WorkProgress* progress = nullptr) const;

  // How many numbers repeat one before them (normalised text, across categories); progress counts the
  // numbers; nothing once it asks to stop.
  std::optional<std::uint64_t> RepeatCount(WorkProgress* progress = nullptr) const;

  // The same numbers sorted again by table; each list keeps import order. progress counts the numbers;
  // once it asks to stop, what comes back is incomplete and goes unused.
  CategoryLists Reclassified(const PrefixTable& table, WorkProgress* progress = nullptr) const;

 private:
  using Categories = std::vector<NumberCategory>;

  // A 1 for each number's first occurrence in import order, a 0 for each repeat; nothing once stopped.
  std::optional<std::vector<std::uint8_t>> FirstOccurrenceMarks(WorkProgress* progress) const;

  std::array<NumberList, kCategoryCount> lists_;
  Categories order_;
};

// "当前共有…个号码，移动…个，联通…个，电信…个，小灵通…个，其他…个".
std::string StatusText(const CategoryCounts& counts, CountForm form = CountForm::Digits);

}  // namespace zelvane
