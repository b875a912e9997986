#pragma once

#include <filesystem>
#include <string_view>

#include "core/file_error.h"
#include "core/number_list.h"

namespace zelvane {

// Which numbers of the scanned file a comparison lists.
enum class ComparisonMode {
  FindSame,       // those whose token occurs in the searched file ("找相同")
  FindDifferent,  // those whose token occurs nowhere in it ("找不同")
};

// The numbers of scanned's tokens (normalised, in scan order, duplicates kept) whose text occurs, or
// occurs nowhere, in searched up to its first zero byte. A token may match inside a longer run.
NumberList CompareNumberFiles(std::string_view scanned, std::string_view searched, ComparisonMode mode);

// Reads both files as an import does and compares them: the one with more bytes on disk is scanned,
// file1 when both have as many. On failure result is left as it was.
FileResult CompareFiles(const std::filesystem::path& file1, const std::filesystem::path& file2, ComparisonMode mode,
                        NumberList& result);

}  // namespace zelvane
