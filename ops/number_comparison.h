#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "core/count_text.h"
#include "core/file_error.h"
#include "core/number_file_reader.h"
#include "core/number_list.h"
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
  // When given, told which file's numbers are listed: 1 or 2.
  int* listedFile = nullptr;
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
// bytes read) is scanned, file1 when both have as many. On failure sink may have got some numbers.
FileResult CompareFiles(const std::filesystem::path& file1, const std::filesystem::path& file2,
                        const ComparisonSettings& settings, const NumberSink& sink);

// The same with the default settings and mode, into result; on failure result is left as it was.
// listedFile as in the settings.
FileResult CompareFiles(const std::filesystem::path& file1, const std::filesystem::path& file2, ComparisonMode mode,
                        NumberList& result, WorkProgress* progress = nullptr, int* listedFile = nullptr);

}  // namespace zelvane
