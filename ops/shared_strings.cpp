#include "ops/shared_strings.h"

namespace zelvane {

KnownCell SharedStrings::At(std::size_t index) const {
  const std::uint64_t end = ends_[index] & ~(kRounded | kHeader);
  const std::uint64_t start = index == 0 ? 0 : ends_[index - 1] & ~(kRounded | kHeader);
  return KnownCell{std::string_view(numbers_).substr(start, end - start), (ends_[index] & kRounded) != 0,
                   (ends_[index] & kHeader) != 0};
}

void SharedStrings::Start(std::string_view name, const char**) {
  if (name == "si") {
    inString_ = true;
  } else if (name == "t") {
    inText_ = inString_;
  } else if (name == "rPh") {
    ++phonetic_;
  }
}

void SharedStrings::End(std::string_view name) {
  if (name == "t") {
    inText_ = false;
  } else if (name == "rPh") {
    --phonetic_;
  } else if (name == "si" && inString_) {
    text_.End([this](std::string_view number) { Add(number); });
    ends_.push_back(numbers_.size() | (text_.WasRounded() ? kRounded : 0) | (text_.WasHeader() ? kHeader : 0));
    inString_ = false;
  }
}

}  // namespace zelvane
