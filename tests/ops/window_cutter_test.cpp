// The windows of a searched text are the same whatever pieces it comes in: runs cut by a piece's end are
// finished with the next piece, and the text ends at its first zero byte.

#include "ops/window_cutter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace zelvane {
namespace {

using Window = std::pair<std::size_t, std::string>;

std::vector<Window> Cut(const TokenClasses& classes, std::string_view text, std::size_t pieceSize) {
  std::vector<Window> windows;
  const std::uint32_t all = ~std::uint32_t{0};
  WindowCutter cutter(classes, all, [&](std::size_t cls, const char* bytes, std::size_t length) {
    windows.emplace_back(cls, std::string(bytes, length));
  });
  for (std::size_t at = 0; at < text.size(); at += pieceSize) cutter.Feed(text.substr(at, pieceSize));
  cutter.Finish();
  std::sort(windows.begin(), windows.end());
  return windows;
}

// Runs of 1 to 70 bytes, mostly digits, between mixed separators; now and then a zero byte.
std::string RandomText(std::mt19937& random) {
  std::string text;
  for (std::size_t runs = random() % 30; runs > 0; --runs) {
    for (std::size_t length = 1 + random() % 70; length > 0; --length) {
      text.push_back(random() % 300 == 0 ? '\0' : "0123456789+a"[random() % 12]);
    }
    for (std::size_t separators = 1 + random() % 3; separators > 0; --separators)
      text.push_back("\r\n ,"[random() % 4]);
  }
  return text;
}

TEST(WindowCutter, PiecesGiveTheWindowsOfTheWhole) {
  // Token lengths present, as counts: one class, a few, every length.
  const std::vector<std::vector<std::size_t>> layouts = {{11}, {4, 5, 11, 12, 13, 14, 30}, {1, 2, 3}};
  std::mt19937 random(11);
  for (const auto& lengths : layouts) {
    LengthCounts counts{};
    for (std::size_t length : lengths) counts[length] = 1 + random() % 1000;
    for (std::size_t length = 4; length <= kMaxTokenLength && lengths.size() == 3; ++length) counts[length] = 7;
    const TokenClasses classes = TokenClasses::Plan(counts, true);
    for (int sample = 0; sample < 120; ++sample) {
      const std::string text = RandomText(random);
      const std::vector<Window> whole = Cut(classes, text, std::max<std::size_t>(text.size(), 1));
      for (std::size_t pieceSize = 1; pieceSize <= 40; ++pieceSize) {
        ASSERT_EQ(Cut(classes, text, pieceSize), whole)
            << testing::PrintToString(text) << " in pieces of " << pieceSize;
      }
    }
  }
}

}  // namespace
}  // namespace zelvane
