#include "ops/number_comparison.h"

#include <limits>
#include <new>
#include <optional>
#include <stdexcept>

#include "core/normalize_number.h"
#include "ops/file_failure.h"
#include "ops/hashed_comparison.h"
#include "ops/hashed_list.h"
#include "ops/text_source.h"
#include "ops/token_selection.h"

namespace zelvane {

namespace {

// Scans scanned, searches searched for its tokens and hands the numbers selected to sink. memory is
// what the comparison's data may take.
FileResult Compare(TextSource& scanned, TextSource& searched, std::uint64_t memory, const ComparisonSettings& settings,
                   const NumberSink& sink) {
  std::optional<TokenSelection> selection;
  if (FileResult error = SelectTokens(scanned, searched, memory, settings, scanned.Size(), selection)) return error;
  try {
    return ForEachToken(scanned, [&](std::string_view token, std::uint64_t ordinal) {
      if (ordinal < selection->tokens && selection->selected.Test(ordinal)) sink(NormalizeNumber(token));
    });
  } catch (const FileFailure& failure) {
    return failure.error();
  } catch (const std::bad_alloc&) {
    return OutOfMemoryError(scanned.path());
  }
}

}  // namespace

NumberList CompareNumberFiles(std::string_view scanned, std::string_view searched, ComparisonMode mode) {
  ComparisonSettings settings;
  settings.mode = mode;
  settings.memoryBudget = std::numeric_limits<std::uint64_t>::max();
  NumberList result;
  if (FileResult error = CompareTexts(scanned, searched, settings, [&](std::string_view n) { result.Append(n); }))
    throw std::runtime_error(error->Message());
  return result;
}

std::string FoundNumbersText(ComparisonMode mode, std::uint64_t count, CountForm form) {
  return "找到" + CountText(count, form) + (mode == ComparisonMode::FindSame ? "个相同的号码" : "个不同的号码");
}

FileResult CompareTexts(std::string_view scanned, std::string_view searched, const ComparisonSettings& settings,
                        const NumberSink& sink) {
  TextSource scannedSource(scanned);
  TextSource searchedSource(searched);
  return Compare(scannedSource, searchedSource, ComparisonDataMemory(settings), settings, sink);
}

FileResult CompareFiles(const std::filesystem::path& file1, const std::filesystem::path& file2,
                        const ComparisonSettings& settings, const NumberSink& sink) {
  const std::uint64_t memory = ComparisonDataMemory(settings);
  const std::filesystem::path folder = ComparisonTemporaryFolder(settings);
  // A stream is kept while it is read, to learn its size: up to a quarter of the memory each.
  std::optional<TextSource> first;
  std::optional<TextSource> second;
  if (FileResult error = TextSource::Open(file1, settings.inputs, memory / 4, folder, first, settings.reading)) {
    return error;
  }
  if (FileResult error = TextSource::Open(file2, settings.inputs, memory / 4, folder, second, settings.reading)) {
    return error;
  }
  const std::uint64_t left = MemoryAfter(memory, first->BytesHeld() + second->BytesHeld());
  first->Watch(settings.progress);
  second->Watch(settings.progress);
  if (settings.progress) settings.progress->SetTotal(settings.progress->Done() + first->Size() + second->Size());
  // The digest keys of a hashed list are kept while both files are looked at: up to a quarter each.
  HashedList hashed;
  if (FileResult error = FindHashedList(*first, *second, settings.hashed, left / 4, folder, hashed)) return error;
  ComparisonOutcome outcome;
  FileResult result;
  if (hashed.file != 0) {
    outcome.listedFile = 3 - hashed.file;
    outcome.hashedList = hashed.kind;
    result = CompareWithHashedList(hashed.file == 1 ? *second : *first, *hashed.keys, hashed.kind,
                                   MemoryAfter(left, hashed.keys->BytesHeld()), settings, sink, outcome.notHashed);
  } else {
    const bool secondScanned = second->Size() > first->Size();
    outcome.listedFile = secondScanned ? 2 : 1;
    result = Compare(secondScanned ? *second : *first, secondScanned ? *first : *second, left, settings, sink);
  }
  if (settings.outcome) *settings.outcome = outcome;
  return result;
}

FileResult CompareFiles(const std::filesystem::path& file1, const std::filesystem::path& file2, ComparisonMode mode,
                        NumberList& result, WorkProgress* progress, ComparisonOutcome* outcome) {
  ComparisonSettings settings;
  settings.mode = mode;
  settings.progress = progress;
  settings.outcome = outcome;
  NumberList listed;
  if (FileResult error = CompareFiles(file1, file2, settings, [&](std::string_view n) { listed.Append(n); }))
    return error;
  result = std::move(listed);
  return std::nullopt;
}

}  // namespace zelvane
