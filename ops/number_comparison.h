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

// 1 when needle occurs in haystack, -1 when it does not. Both end at their first zero byte; bytes are
// compared exactly, and an empty needle is never found. A plain byte-by-byte search.
int ContainsSubstring(std::string_view haystack, std::string_view needle);

// The numbers of scanned's tokens (normalised, in scan order, duplicates kept) whose text occurs, or
// occurs nowhere, in searched up to its first zero byte. A token may match inside a longer run.
NumberList CompareNumberFiles(std::string_view scanned, std::string_view searched, ComparisonMode mode);

// The same selection through ContainsSubstring, token by token: quadratic, the yardstick for tests and
// benchmarks.
NumberList CompareNumberFilesNaively(std::string_view scanned, std::string_view searched, ComparisonMode mode);

// Reads both files as an import does and compares them: the one with more bytes on disk is scanned,
// file1 when both have as many. On failure result is left as it was.
FileResult CompareFiles(const std::filesystem::path& file1, const std::filesystem::path& file2, ComparisonMode mode,
                        NumberList& result);

}  // namespace zelvane
