#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/number_finder.h"

namespace zelvane {

// Whether text is a figure that a spreadsheet wrote rounded, in powers of ten, with 10 digits or more
// before the point ("1.38001E+10"): its digits are lost.
bool IsRoundedFigure(std::string_view text);

// Text without the blanks and tabs around it.
std::string_view TrimBlanks(std::string_view text);

// Reads one cell's text, fed in pieces: the numbers in it go to a receiver as they are found, and at
// its end it tells whether the cell was a rounded figure or the header looked for (one of
// headerSpellings, the same text in the charsets the file may use).
class CellTextReader {
 public:
  explicit CellTextReader(const std::vector<std::string>& headerSpellings) : headerSpellings_(headerSpellings) {}

  template <class Receiver>
  void Feed(std::string_view piece, Receiver&& receive) {
    finder_.Feed(piece, receive);
    const std::size_t room = length_ < head_.size() ? head_.size() - length_ : 0;
    piece.copy(head_.data() + length_, std::min(room, piece.size()));
    length_ += piece.size();
  }

  // Ends the cell; the next Feed begins another.
  template <class Receiver>
  void End(Receiver&& receive) {
    finder_.Finish(receive);
    const std::string_view head = Head();
    rounded_ = IsRoundedFigure(head);
    header_ = false;
    for (const std::string& spelling : headerSpellings_) header_ = header_ || TrimBlanks(head) == spelling;
    length_ = 0;
  }

  // Of the cell last ended.
  bool WasRounded() const { return rounded_; }
  bool WasHeader() const { return header_; }

  // The cell's text so far when it is short enough to be a figure or a header, else nothing; valid
  // until the next Feed.
  std::string_view Head() const {
    return length_ <= head_.size() ? std::string_view(head_.data(), length_) : std::string_view();
  }

 private:
  const std::vector<std::string>& headerSpellings_;
  NumberFinder finder_;
  std::array<char, 256> head_{};
  std::size_t length_ = 0;
  bool rounded_ = false;
  bool header_ = false;
};

}  // namespace zelvane
