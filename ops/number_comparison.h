#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/count_text.h"
#include "core/file_error.h"
#include "core/number_file_reader.h"
#include "core/number_list.h"
#include "core/platform/digest.h"
#include "core/work_progress.h"
#include "ops/number_input.h"

namespace zelvane {

// Which numbers of the scanned file a comparison lists.
enum class ComparisonMode {
  FindSame,       // those whose token occurs in the searched file ("找相同")
  FindDifferent,  // those whose token occurs nowhere in it ("找不同")
};

// What a comparison found, in the command line's and the window's words: "找到N个相同的号码" or
// "找到N个不同的号码".
std::string FoundNumbersText(ComparisonMode mode, std::uint64_t count, CountForm form);

// What a comparison tells beside the numbers it lists.
struct ComparisonOutcome {
  int listedFile = 1;                    // whose numbers are listed: 1 or 2
  std::optional<DigestKind> hashedList;  // the other file was a list of these digests of numbers
  std::uint64_t notHashed = 0;           // tokens of the listed file that are no numbers, left out then
};

struct ComparisonSettings {
  ComparisonMode mode = ComparisonMode::FindSame;
  bool unique = false;  // each number listed only where it first occurs
  InputKinds inputs = InputKinds::RegularFiles;
  InputReading reading = {};  // workbooks' sheets and columns, numbers inside text
  // Peak memory stays within this many bytes (plus a few MiB for the program itself): what does not
  // fit goes to temporary files in temporaryFolder. 0: DefaultMemoryBudget().
  std::uint64_t memoryBudget = 0;
  std::filesystem::path temporaryFolder;  // empty: DefaultTemporaryFolder()
  // Advances by the bytes of every pass over either file, of a total that grows when the passes turn
  // out to be more; once it asks to stop, the comparison ends with CancelledError.
  WorkProgress* progress = nullptr;
  // Where a file is a hashed list (see FindHashedList), it is matched by digest and the other file's
  // numbers are listed. Set, the hashed list must be of this kind, and is found by its tokens' length.
  std::optional<DigestKind> hashed = std::nullopt;
  // When given, told which file's numbers are listed and what was matched.
  ComparisonOutcome* outcome = nullptr;
};

// Gets the numbers a comparison lists, in order, as they are listed.
using NumberSink = std::function<void(std::string_view)>;

// The numbers of scanned's tokens (normalised, in scan order, duplicates kept) whose text occurs, or
// occurs nowhere, in searched up to its first zero byte. A token may match inside a longer run. In
// memory, without a budget.
NumberList CompareNumberFiles(std::string_view scanned, std::string_view searched, ComparisonMode mode);

// The same with settings (their inputs aside); fails only when a temporary file does.
FileResult CompareTexts(std::string_view scanned, std::string_view searched, const ComparisonSettings& settings,
                        const NumberSink& sink);

// Reads both files as an import does and compares them: the one with more bytes on disk (a stream: more
// bytes read) is scanned, file1 when both have as many; but when one is a hashed list, the other one's
// numbers are listed. On failure sink may have got some numbers.
FileResult CompareFiles(const std::filesystem::path& file1, const std::filesystem::path& file2,
                        const ComparisonSettings& settings, const NumberSink& sink);

// The same with the default settings and mode, into result; on failure result is left as it was.
// outcome as in the settings.
FileResult CompareFiles(const std::filesystem::path& file1, const std::filesystem::path& file2, ComparisonMode mode,
                        NumberList& result, WorkProgress* progress = nullptr, ComparisonOutcome* outcome = nullptr);

}  // namespace zelvane
