#include "ops/area_export.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <new>
#include <string>
#include <unordered_map>

#include "ops/area_classify.h"
#include "ops/file_failure.h"
#include "ops/files_replaced_together.h"
#include "ops/number_frames.h"
#include "ops/safe_file_name.h"

namespace zelvane {

namespace {

// How many numbers go by between two looks whether to stop.
constexpr std::size_t kStopCheckEvery = std::size_t{1} << 16;

// The file of every area, under the export folder, numbered in the table's order of areas.
struct AreaFiles {
  std::vector<std::uint32_t> ofArea;  // by AreaId
  std::vector<std::filesystem::path> paths;
};

// The names classify --by gives, except that a city's file goes into a folder of its province.
AreaFiles FilesOf(const AreaTable& areas, AreaLevel level) {
  const AreaSplit provinces(areas, AreaLevel::Province, false);
  const AreaSplit cities(areas, AreaLevel::City, false);
  AreaFiles files;
  files.ofArea.resize(areas.AreaCount() + 1);
  std::unordered_map<std::string, std::uint32_t> fileOfName;
  for (std::size_t id = 0; id < files.ofArea.size(); ++id) {
    const auto area = static_cast<AreaTable::AreaId>(id);
    const std::string_view city = areas.City(area);
    const bool ownFolder = level == AreaLevel::City && !city.empty() && city != areas.Province(area);
    std::string name = provinces.FileName(provinces.FileOf(area, NumberCategory::Other));
    if (ownFolder) {
      // The province's file name less ".txt" is its folder, in the case its file is written in.
      name.resize(name.size() - std::string_view(".txt").size());
      name += "/" + SafeFileName(city) + ".txt";
    } else if (level == AreaLevel::City) {
      name = cities.FileName(cities.FileOf(area, NumberCategory::Other));
    }
    const auto [found, added] = fileOfName.emplace(FoldedCase(name), static_cast<std::uint32_t>(files.paths.size()));
    if (added) files.paths.push_back(PathFromText(name));
    files.ofArea[area] = found->second;
  }
  return files;
}

// The bytes of every file, its numbers each followed by the separator in import order, copied in one
// pass over the lists: written out a file at a time, they go to disk in long runs. What does not fit in
// memory waits in a temporary file in the export folder.
class FileBytes {
 public:
  FileBytes(const std::filesystem::path& folder, const CategoryLists& lists, const AreaTable& areas,
            const AreaFiles& files, std::string_view separator, NumberFileStyle style, WorkProgress* progress)
      : frames_(files.paths.size(), AreaClassifyMemory(), folder), taken_(files.paths.size()) {
    std::array<NumberList::const_iterator, kCategoryCount> next;
    for (const NumberCategory category : kAllCategories) next[CategoryIndex(category)] = lists[category].begin();
    std::size_t untilCheck = kStopCheckEvery;
    for (const NumberCategory category : lists.Order()) {
      if (--untilCheck == 0) {
        if (progress && progress->StopRequested()) return;
        untilCheck = kStopCheckEvery;
      }
      const std::string_view number = *next[CategoryIndex(category)]++;
      const std::size_t file = files.ofArea[areas.Lookup(number)];
      taken_[file] = true;
      frames_.Add(file, number, NumberFrames::FrameSeparator(style, separator));
    }
  }

  bool Empty(std::size_t file) const { return !taken_[file]; }
  const NumberFrames& frames() const { return frames_; }

 private:
  NumberFrames frames_;
  std::vector<bool> taken_;  // by file: whether any number went there
};

FileResult WriteAndReplace(const std::filesystem::path& folder, const CategoryLists& lists, const AreaTable& areas,
                           AreaLevel level, std::string_view separator, WorkProgress* progress, NumberFileStyle style,
                           NumberOutputCounts& counts, std::size_t& written) {
  FilesReplacedTogether together(folder, progress);
  const AreaFiles files = FilesOf(areas, level);
  const FileBytes bytes(folder, lists, areas, files, separator, style, progress);
  for (std::size_t file = 0; file < files.paths.size(); ++file) {
    if (bytes.Empty(file)) continue;
    AtomicFileWriter* writer = nullptr;
    std::filesystem::path name = files.paths[file];
    if (FileResult error = together.Add(name.replace_extension(std::string(FileExtension(style.format))), writer)) {
      return error;
    }
    if (FileResult error = bytes.frames().WriteInFormat(file, style, separator, *writer, counts)) return error;
    if (FileResult error = together.EndFile()) return error;
    ++written;
  }
  return together.Commit();
}

}  // namespace

std::vector<FileError> ExportByArea(const std::filesystem::path& folder, const CategoryLists& lists,
                                    const AreaTable& areas, AreaLevel split, std::string_view separator,
                                    WorkProgress* progress, NumberFileStyle style, NumberOutputCounts* written,
                                    std::size_t* filesWritten) {
  if (progress) {
    progress->SetTotal(progress->Done() + WrittenSize(style, lists.size(), lists.TextBytes(), separator.size()));
  }
  FileResult error;
  NumberOutputCounts counts;
  std::size_t files = 0;
  try {
    error = WriteAndReplace(folder, lists, areas, split, separator, progress, style, counts, files);
  } catch (const FileFailure& failure) {
    error = failure.error();  // the numbers that did not fit in memory could not be put aside
  } catch (const std::bad_alloc&) {
    error = OutOfMemoryError(folder);
  }
  if (written) *written = counts;
  if (progress && progress->StopRequested() && error) return {CancelledError(FileOperation::Write, folder)};
  if (error) return {std::move(*error)};
  if (filesWritten) *filesWritten = files;
  return {};
}

}  // namespace zelvane
