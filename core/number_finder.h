#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/area_code.h"

namespace zelvane {

// The number that digits (written whole or in groups) spell, normalised as NormalizeNumber leaves it:
// a mobile number (11 digits, the first 1), a landline with its 0 and area code (11 digits after 010
// and 02x, else 11 or 12), a 400/800 number (10 digits); optionally after 86 or 0086 (after +86 or 0086
// also a landline without its 0), or, written whole, a mobile number after a stray 0 (in groups that
// would take pieces of longer figures such as an identity number). Empty when they spell none. The
// result views digits, or buffer when a 0 is put back.
std::string_view NumberOfDigits(std::string_view digits, bool afterPlus, bool grouped, std::array<char, 16>& buffer);

// Finds the phone numbers inside text (a cell, a line), fed in pieces of any size. A number is
// written whole or in groups joined by up to three blanks, hyphens, dots or parentheses
// ("(0755) 8888-6666", "+86 139 0013 9000"); several numbers may follow one another. Groups are never
// split: a run of digits longer or shorter than a number gives none. The receiver gets each number
// as NumberOfDigits gives it, valid during the call only. Bytes of GBK or UTF-8 text are never taken
// for digits or joiners, whose codes their multi-byte characters do not use.
class NumberFinder {
 public:
  template <class Receiver>
  void Feed(std::string_view text, Receiver&& receive);

  // Ends the text: what follows is another cell or line.
  template <class Receiver>
  void Finish(Receiver&& receive);

 private:
  // The longest digits a number may take: 0086 and a 12-digit landline.
  static constexpr std::size_t kMaxDigits = 16;
  static constexpr std::size_t kMaxJoiner = 3;

  enum class State : std::uint8_t { Between, InGroup, InJoiner, InLongRun };

  static bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }
  static bool IsJoiner(char c) { return c == ' ' || c == '-' || c == '.' || c == '(' || c == ')'; }

  // Decides the first pending group: the longest run of groups from it that spells a number is handed
  // over and dropped, or else the group alone is dropped.
  template <class Receiver>
  void DecideFirst(Receiver& receive);
  template <class Receiver>
  void DecideAll(Receiver& receive) {
    while (groups_ > 0) DecideFirst(receive);
  }
  void DropGroups(std::size_t count);

  // The pending groups' digits one after another; group i ends at groupEnds_[i]. Only the first group's
  // "+" matters: a number begins there.
  std::array<char, kMaxDigits + 1> digits_{};
  std::array<std::uint8_t, kMaxDigits + 1> groupEnds_{};
  std::size_t groups_ = 0;
  std::size_t length_ = 0;
  bool firstAfterPlus_ = false;
  bool lastWasPlus_ = false;
  std::size_t joinerLength_ = 0;
  State state_ = State::Between;
  std::array<char, 16> buffer_{};
};

template <class Receiver>
void NumberFinder::Feed(std::string_view text, Receiver&& receive) {
  for (const char c : text) {
    if (IsDigit(c)) {
      switch (state_) {
        case State::InLongRun: break;
        case State::Between:
        case State::InJoiner:
          if (groups_ == 0) firstAfterPlus_ = lastWasPlus_;
          groupEnds_[groups_++] = static_cast<std::uint8_t>(length_);
          state_ = State::InGroup;
          [[fallthrough]];
        case State::InGroup: {
          const std::size_t groupStart = groups_ == 1 ? 0 : groupEnds_[groups_ - 2];
          if (length_ - groupStart == kMaxDigits) {
            // Too long for any number: what came before it is decided without it.
            --groups_;
            length_ = groupStart;
            DecideAll(receive);
            state_ = State::InLongRun;
            break;
          }
          digits_[length_++] = c;
          groupEnds_[groups_ - 1] = static_cast<std::uint8_t>(length_);
          // Past the longest number, the first group's candidates are all known.
          while (groups_ > 1 && length_ > kMaxDigits) DecideFirst(receive);
          break;
        }
      }
      lastWasPlus_ = false;
      continue;
    }
    if (IsJoiner(c) && (state_ == State::InGroup || state_ == State::InJoiner)) {
      joinerLength_ = state_ == State::InGroup ? 1 : joinerLength_ + 1;
      state_ = State::InJoiner;
      if (joinerLength_ <= kMaxJoiner) {
        lastWasPlus_ = false;
        continue;
      }
    }
    if (state_ == State::InGroup || state_ == State::InJoiner) DecideAll(receive);
    state_ = State::Between;
    lastWasPlus_ = c == '+';
  }
}

template <class Receiver>
void NumberFinder::Finish(Receiver&& receive) {
  if (state_ == State::InGroup || state_ == State::InJoiner) DecideAll(receive);
  state_ = State::Between;
  lastWasPlus_ = false;
}

template <class Receiver>
void NumberFinder::DecideFirst(Receiver& receive) {
  const auto numberUpTo = [this](std::size_t last) {
    return NumberOfDigits(std::string_view(digits_.data(), groupEnds_[last]), firstAfterPlus_, last > 0, buffer_);
  };
  std::size_t bestGroups = 0;
  for (std::size_t last = 0; last < groups_ && groupEnds_[last] <= kMaxDigits; ++last) {
    if (!numberUpTo(last).empty()) bestGroups = last + 1;
  }
  if (bestGroups > 0) receive(numberUpTo(bestGroups - 1));
  DropGroups(std::max<std::size_t>(bestGroups, 1));
}

}  // namespace zelvane
