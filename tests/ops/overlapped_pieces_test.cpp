#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "ops/overlapped_pieces.h"

namespace zelvane {
namespace {

// A source of count pieces of 4 bytes, each its number, then end (0) or failure (-1).
struct Source {
  int count;
  int last;
  int made = 0;

  int operator()(char* buffer, std::size_t size) {
    if (made == count) return last;
    const std::string piece = std::to_string(1000 + made++);
    piece.copy(buffer, size);
    return static_cast<int>(piece.size());
  }
};

std::string Expected(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += std::to_string(1000 + i);
  return text;
}

struct OverlapCase {
  const char* name;
  int count;
  int last;
};

class OverlapPiecesTest : public testing::TestWithParam<OverlapCase> {};

// Around the three buffers: every piece whole and in order, and what produce said last.
TEST_P(OverlapPiecesTest, HandsEveryPieceOverInOrder) {
  const OverlapCase& c = GetParam();
  for (const bool overlap : {true, false}) {
    Source source{c.count, c.last};
    std::string used;
    const int last = OverlapPieces(
        4, std::ref(source),
        [&](std::string_view piece) {
          used += piece;
          return true;
        },
        overlap);
    EXPECT_EQ(last, c.last) << overlap;
    EXPECT_EQ(used, Expected(c.count)) << overlap;
  }
}

INSTANTIATE_TEST_SUITE_P(Counts, OverlapPiecesTest,
                         testing::Values(OverlapCase{"None", 0, 0}, OverlapCase{"One", 1, 0},
                                         OverlapCase{"AsManyAsBuffers", 3, 0}, OverlapCase{"OneMore", 4, 0},
                                         OverlapCase{"Many", 1000, 0}, OverlapCase{"FailsAtOnce", 0, -1},
                                         OverlapCase{"FailsAfterMany", 1000, -3}));

TEST(OverlapPiecesStopTest, StopsWhenConsumeSaysSo) {
  Source source{1000, 0};
  int taken = 0;
  EXPECT_EQ(OverlapPieces(4, std::ref(source), [&](std::string_view) { return ++taken < 5; }), 0);
  EXPECT_EQ(taken, 5);
  EXPECT_LT(source.made, 1000);  // at most a few buffers ahead
}

TEST(OverlapPiecesStopTest, PassesAnExceptionOfConsumeOn) {
  Source source{1000, 0};
  int taken = 0;
  EXPECT_THROW(OverlapPieces(4, std::ref(source),
                             [&](std::string_view) {
                               if (++taken == 7) throw std::runtime_error("stop");
                               return true;
                             }),
               std::runtime_error);
  EXPECT_LT(source.made, 1000);
}

}  // namespace
}  // namespace zelvane
