#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zelvane::test {

// The one-click and classify files, in category order, written out here so that a typo in the
// program's names shows.
inline constexpr std::array<std::string_view, 5> kCategoryFileNames = {"移动.txt", "联通.txt", "电信.txt", "小灵通.txt",
                                                                       "其他.txt"};

// ASCII text as UTF-16 with a byte-order mark.
std::string Utf16Le(std::string_view ascii);
std::string Utf16Be(std::string_view ascii);

// The tokens of bytes fed to the scanner in pieces of pieceSize (the last may be shorter), to catch
// runs cut at a piece boundary.
std::vector<std::string> ScanInPieces(std::string_view bytes, std::size_t pieceSize);

}  // namespace zelvane::test
