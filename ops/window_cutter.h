#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "core/separator_search.h"
#include "ops/token_classes.h"

namespace zelvane {

// Cuts a searched text, fed in pieces, into the windows where a token may occur: a token has no
// separator, so it lies inside one run of the text. For each class and each position of a run at least
// the class's anchor length before the run's end, receive(class, bytes, length) gets as many bytes as the
// class's longest token has (fewer where the run ends).
// The text ends at its first zero byte. Only the classes whose bit is set in active are cut; the caller
// may change active between windows.
template <class Receive>
class WindowCutter {
 public:
  WindowCutter(const TokenClasses& classes, const std::uint32_t& active, Receive receive)
      : classes_(classes), active_(active), receive_(std::move(receive)), longest_(classes.Longest()) {}

  void Feed(std::string_view piece) {
    if (ended_ || longest_ == 0) return;
    if (const void* zero = std::memchr(piece.data(), 0, piece.size())) {
      piece = piece.substr(0, static_cast<std::size_t>(static_cast<const char*>(zero) - piece.data()));
      ended_ = true;
    }
    if (!pending_.empty() && !ContinuePending(piece)) return;
    CutRuns(piece.data(), piece.data() + piece.size());
    if (ended_) Finish();
  }

  // The text ended: the run still open ends here.
  void Finish() {
    Cut(pending_.data(), pending_.size(), pending_.size());
    pending_.clear();
    ended_ = true;
  }

 private:
  // Windows at the first starts positions of a run of length bytes.
  void Cut(const char* run, std::size_t length, std::size_t starts) {
    for (std::size_t c = 0; c < classes_.size(); ++c) {
      const TokenClass& cls = classes_[c];
      if (length < cls.anchor) return;  // classes go by anchor, shortest first
      if ((active_ >> c & 1) == 0) continue;
      const std::size_t end = std::min(starts, length - cls.anchor + 1);
      for (std::size_t at = 0; at < end; ++at) {
        receive_(c, run + at, std::min(length - at, cls.longest));
      }
    }
  }

  // Windows for the starts kept in pending_ from the last piece, whose run goes on in piece. False
  // when piece is too short to tell and went to pending_ whole.
  bool ContinuePending(std::string_view piece) {
    const std::size_t starts = pending_.size();
    const std::size_t look = std::min(piece.size(), longest_);
    const auto runPart = static_cast<std::size_t>(NextSeparator(piece.data(), piece.data() + look) - piece.data());
    if (runPart == look && look < longest_ && !ended_) {
      pending_.append(piece);
      const std::size_t ready = Ready(pending_.size());
      Cut(pending_.data(), pending_.size(), ready);
      pending_.erase(0, ready);
      return false;
    }
    // Each start kept has its whole window now, or its run ends within the bytes appended.
    pending_.append(piece.substr(0, runPart));
    Cut(pending_.data(), pending_.size(), starts);
    pending_.clear();
    return true;
  }

  // Cuts the runs in [p, end). A run that reaches end may go on in the next piece: only its starts
  // that have a whole window are cut, the others kept in pending_.
  void CutRuns(const char* p, const char* end) {
    const char* run = p;
    ForEachSeparator(p, end, [&](const char* at) {
      const auto length = static_cast<std::size_t>(at - run);
      Cut(run, length, length);
      run = at + 1;
    });
    const auto length = static_cast<std::size_t>(end - run);
    const std::size_t ready = ended_ ? length : Ready(length);
    Cut(run, length, ready);
    pending_.assign(run + ready, length - ready);
  }

  // How many starts of an open run of length bytes have a whole window.
  std::size_t Ready(std::size_t length) const { return length >= longest_ ? length - longest_ + 1 : 0; }

  const TokenClasses& classes_;
  const std::uint32_t& active_;
  Receive receive_;
  std::size_t longest_;
  std::string pending_;  // the open run, from its first start not yet cut
  bool ended_ = false;
};

}  // namespace zelvane
