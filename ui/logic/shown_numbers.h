#pragma once

#include <array>
#include <filesystem>
#include <mutex>
#include <optional>
#include <ranges>
#include <string_view>

#include "core/category_lists.h"
#include "ops/number_input.h"
#include "ui/logic/item_ref.h"
#include "ui/logic/number_areas.h"
#include "ui/logic/view_order.h"

namespace zelvane {

// The five category lists and what the number list shows of them: references into the lists, or
// into the result of the last comparison, kept for as long as any of it is shown. The lists change
// only through here, which brings the references along in the same step, so a reference never
// outlives what it refers to. Each command tells the window once (a reset or an insertion), whatever
// the count; a window's list subclasses this and overrides the notifications.
//
// Long commands run in two steps, so that the work can go to another thread while the window goes on
// showing the old contents: the first step (ImportFile, MergedView, WithoutRepeats, Reclassified, AreasBy) runs
// on any thread, one at a time, while nothing else changes the numbers; the second (ShowImported, Show, UseAreas)
// puts the result in place on the window's thread. Only ImportFile changes the lists in the first
// step, a piece of the file at a time; the window reads numbers through NumberCopy meanwhile.
class ShownNumbers {
 public:
  ShownNumbers();
  virtual ~ShownNumbers() = default;
  ShownNumbers(const ShownNumbers&) = delete;
  ShownNumbers& operator=(const ShownNumbers&) = delete;

  const CategoryLists& Lists() const { return m_lists; }
  // The home area of every number, and the area the list shows.
  const NumberAreas& Areas() const { return m_areas; }
  const AreaChoice& ChosenArea() const { return m_chosenArea; }
  // The first step of switching area tables: every number looked up in table; nothing once progress
  // asked to stop. The second: the areas in place; the list shows what it did until the next command.
  std::optional<NumberAreas> AreasBy(const AreaTable& table, WorkProgress* progress) const;
  void UseAreas(NumberAreas areas) { m_areas = std::move(areas); }
  // The area that ShowCategories, AppendCategory and imports let into the list from now on.
  void ChooseArea(const AreaChoice& choice) { m_chosenArea = choice; }

  std::size_t size() const { return m_refs.size(); }
  const ItemRefs& Refs() const { return m_refs; }

  // A copy of the bytes of the item's number, empty past the end. The one way for the window to read a
  // number while work may run: it waits while an import appends to the lists (their blocks move).
  std::string NumberCopy(std::size_t item) const;
  // The bytes of every item in list order, each looked up as it is read; not while an import runs.
  auto Numbers() const {
    return m_refs | std::views::transform([this](ItemRef ref) { return NumberOf(ref); });
  }

  // The first step of an import: appends a file's numbers to the lists, or on failure and when progress
  // asks to stop leaves them as they were. Nothing shows them yet.
  FileResult ImportFile(NumberFile& file, const PrefixTable& table, WorkProgress* progress);
  // The same for a workbook, a CSV file or text whose numbers are found inside it, read as reading says;
  // size is the file's, for the progress.
  FileResult ImportInput(const std::filesystem::path& path, const InputReading& reading, std::uint64_t size,
                         const PrefixTable& table, WorkProgress* progress);
  // shown (the view, or what an earlier MergedView made of it) with the numbers appended since the
  // lists held before merged in: those that admitted lets in, the one with ordinal i at index i, or at
  // the end while the view is shorter.
  ItemRefs MergedView(const ItemRefs& shown, const CategoryCounts& before, const CategoryFilter& admitted) const;
  // The second step: shows the merged view.
  void ShowImported(ItemRefs view);
  // Takes back every number appended since the lists held before; nothing showed them.
  void DropImported(const CategoryCounts& before);

  // New lists and the view of them, made in the first step.
  struct Rebuilt {
    CategoryLists lists;
    NumberAreas areas;
    ItemRefs refs;
  };
  // The lists without later repeats of a number, as the filter shows them; nothing when nothing repeats
  // or progress asked to stop. removed counts the numbers dropped.
  std::optional<Rebuilt> WithoutRepeats(const CategoryFilter& shown, std::uint64_t& removed,
                                        WorkProgress* progress) const;
  // Every number sorted again by table, as the filter shows them; incomplete once progress asked to stop.
  Rebuilt Reclassified(const PrefixTable& table, const CategoryFilter& shown, WorkProgress* progress) const;
  // The second step: the new lists and their view in place of the old (a reset).
  void Show(Rebuilt rebuilt);
  // Empties the lists and the view.
  void Clear();
  // Everything of the admitted categories, in category order (a reset).
  void ShowCategories(const CategoryFilter& shown);
  // The category's numbers after the items there are (an insertion).
  void AppendCategory(NumberCategory category);
  // A comparison's result, in its order, as the new contents (a reset).
  void ShowComparison(NumberList result);
  // Whether the list holds a comparison's result (appended to or merged into, it still does) rather
  // than the lists.
  bool ShowsComparison() const { return m_showsComparison; }

 protected:
  // Around every change of what is shown: everything, or count items appended at first.
  virtual void BeginReset() {}
  virtual void EndReset() {}
  virtual void BeginAppend(std::size_t /*first*/, std::size_t /*count*/) { BeginReset(); }
  virtual void EndAppend() { EndReset(); }

 private:
  std::string_view NumberOf(ItemRef ref) const {
    return (*m_sources[static_cast<std::size_t>(ref.source())])[ref.index()];
  }

  // References to the category's numbers of the chosen area, appended in list order.
  void AppendAreaRefs(const CategoryLists& lists, const NumberAreas& areas, NumberCategory category,
                      ItemRefs& refs) const;
  // References to every number of the admitted categories and the chosen area, in category order.
  void CategoryRefs(const CategoryLists& lists, const NumberAreas& areas, const CategoryFilter& shown,
                    ItemRefs& refs) const;
  Rebuilt Rebuild(CategoryLists lists, const CategoryFilter& shown) const;

  CategoryLists m_lists;
  NumberAreas m_areas;
  AreaChoice m_chosenArea;
  mutable std::mutex m_appending;  // held by an import while it changes the lists
  NumberList m_comparison;
  bool m_showsComparison = false;
  std::array<const NumberList*, kItemSourceCount> m_sources;
  ItemRefs m_refs;
};

}  // namespace zelvane
