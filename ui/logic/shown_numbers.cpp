#include "ui/logic/shown_numbers.h"

namespace zelvane {
namespace {

// How many numbers the admitted categories hold, whatever the chosen area.
std::size_t ShownCount(const CategoryLists& lists, const CategoryFilter& shown) {
  std::size_t count = 0;
  for (NumberCategory category : kAllCategories) count += shown[CategoryIndex(category)] ? lists[category].size() : 0;
  return count;
}

}  // namespace

ShownNumbers::ShownNumbers() : m_areas(AreaTable::BuiltIn()) {
  for (NumberCategory category : kAllCategories) {
    m_sources[static_cast<std::size_t>(SourceOf(category))] = &m_lists[category];
  }
  m_sources[static_cast<std::size_t>(ItemSource::Comparison)] = &m_comparison;
}

std::string ShownNumbers::NumberCopy(std::size_t item) const {
  const std::lock_guard lock(m_appending);
  return item < m_refs.size() ? std::string(NumberOf(m_refs[item])) : std::string();
}

FileResult ShownNumbers::ImportFile(NumberFile& file, const PrefixTable& table, WorkProgress* progress) {
  FileResult error = m_lists.Import(file, table, progress, &m_appending);
  m_areas.Follow(m_lists);
  return error;
}

FileResult ShownNumbers::ImportInput(const std::filesystem::path& path, const InputReading& reading, std::uint64_t size,
                                     const PrefixTable& table, WorkProgress* progress) {
  const auto read = [&](const NumberFile::Sink& sink, WorkProgress* reporting) {
    return ReadInput(path, InputKinds::RegularFiles, reading, sink, reporting);
  };
  FileResult error = m_lists.Import(read, path, size, table, progress, &m_appending);
  m_areas.Follow(m_lists);
  return error;
}

std::optional<NumberAreas> ShownNumbers::AreasBy(const AreaTable& table, WorkProgress* progress) const {
  NumberAreas areas(table);
  areas.Follow(m_lists, progress);
  if (progress && progress->StopRequested()) return std::nullopt;
  return areas;
}

void ShownNumbers::AppendAreaRefs(const CategoryLists& lists, const NumberAreas& areas, NumberCategory category,
                                  ItemRefs& refs) const {
  if (m_chosenArea.kind == AreaChoice::Kind::All) return AppendCategoryRefs(lists, category, refs);
  for (std::uint64_t index = 0; index < lists[category].size(); ++index) {
    if (areas.Admits(m_chosenArea, category, index)) refs.emplace_back(SourceOf(category), index);
  }
}

// At most as many as the categories hold: reserved first, so that only that step can fail and refs is
// as it was then.
void ShownNumbers::CategoryRefs(const CategoryLists& lists, const NumberAreas& areas, const CategoryFilter& shown,
                                ItemRefs& refs) const {
  refs.reserve(ShownCount(lists, shown));
  refs.clear();
  for (NumberCategory category : kAllCategories) {
    if (shown[CategoryIndex(category)]) AppendAreaRefs(lists, areas, category, refs);
  }
}

ShownNumbers::Rebuilt ShownNumbers::Rebuild(CategoryLists lists, const CategoryFilter& shown) const {
  Rebuilt rebuilt{std::move(lists), NumberAreas(m_areas.Table()), {}};
  rebuilt.areas.Follow(rebuilt.lists);
  CategoryRefs(rebuilt.lists, rebuilt.areas, shown, rebuilt.refs);
  return rebuilt;
}

ItemRefs ShownNumbers::MergedView(const ItemRefs& shown, const CategoryCounts& before,
                                  const CategoryFilter& admitted) const {
  std::uint64_t countBefore = 0;
  for (std::uint64_t count : before) countBefore += count;
  return MergeImported(shown, m_lists.Order().subspan(countBefore), before, admitted, &m_areas, m_chosenArea);
}

void ShownNumbers::ShowImported(ItemRefs view) {
  if (view.size() == m_refs.size()) {
    m_refs = std::move(view);  // the same items: the view has nothing to redo
    return;
  }
  BeginReset();
  m_refs = std::move(view);
  EndReset();
}

void ShownNumbers::DropImported(const CategoryCounts& before) {
  const std::lock_guard lock(m_appending);
  m_lists.UndoImport(before);
  m_areas.Follow(m_lists);
}

void ShownNumbers::Clear() {
  BeginReset();
  m_refs = ItemRefs();
  m_comparison = NumberList();
  m_showsComparison = false;
  m_lists.Clear();
  m_areas.Follow(m_lists);
  EndReset();
}

std::optional<ShownNumbers::Rebuilt> ShownNumbers::WithoutRepeats(const CategoryFilter& shown, std::uint64_t& removed,
                                                                  WorkProgress* progress) const {
  std::optional<CategoryLists> kept = m_lists.WithoutRepeats(removed, progress);
  if (!kept || (progress && progress->StopRequested())) return std::nullopt;
  return Rebuild(std::move(*kept), shown);
}

ShownNumbers::Rebuilt ShownNumbers::Reclassified(const PrefixTable& table, const CategoryFilter& shown,
                                                 WorkProgress* progress) const {
  return Rebuild(m_lists.Reclassified(table, progress), shown);
}

void ShownNumbers::Show(Rebuilt rebuilt) {
  BeginReset();  // nothing can fail from here on
  m_lists = std::move(rebuilt.lists);
  m_areas = std::move(rebuilt.areas);
  m_refs = std::move(rebuilt.refs);
  m_comparison = NumberList();
  m_showsComparison = false;
  EndReset();
}

void ShownNumbers::ShowCategories(const CategoryFilter& shown) {
  // Refilled in place, so that rebuilding a list as big as before allocates nothing.
  m_refs.reserve(ShownCount(m_lists, shown));  // the only step that can fail
  BeginReset();
  CategoryRefs(m_lists, m_areas, shown, m_refs);
  m_comparison = NumberList();  // nothing refers to it any more
  m_showsComparison = false;
  EndReset();
}

void ShownNumbers::AppendCategory(NumberCategory category) {
  const std::size_t count = m_lists[category].size();
  if (count == 0) return;
  const std::size_t first = m_refs.size();
  m_refs.reserve(first + count);  // the only step that can fail
  // How many of them an area lets in is known only once appended: then the list is told afresh.
  const bool byArea = m_chosenArea.kind != AreaChoice::Kind::All;
  byArea ? BeginReset() : BeginAppend(first, count);
  AppendAreaRefs(m_lists, m_areas, category, m_refs);
  byArea ? EndReset() : EndAppend();
}

void ShownNumbers::ShowComparison(NumberList result) {
  ItemRefs refs;
  AppendRefs(ItemSource::Comparison, result.size(), refs);
  BeginReset();
  m_comparison = std::move(result);
  m_showsComparison = true;
  m_refs = std::move(refs);
  EndReset();
}

}  // namespace zelvane
