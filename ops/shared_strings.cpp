#include "ops/shared_strings.h"

namespace zelvane {

KnownCell SharedStrings::At(std::size_t index) const {
  const std::uint64_t end = ends_[index] & ~(kRounded | kHeader);
  const std::uint64_t start = index == 0 ? 0 : ends_[index - 1] & ~(kRounded | kHeader);
  std::string_view text;
  if (index < textEnds_.size()) {
    const std::size_t textStart = index == 0 ? 0 : textEnds_[index - 1];
    text = std::string_view(texts_).substr(textStart, textEnds_[index] - textStart);
  }
  return KnownCell{std::string_view(numbers_).substr(start, end - start), (ends_[index] & kRounded) != 0,
                   (ends_[index] & kHeader) != 0, text};
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
    if (textEnds_.size() < kKeptTexts) {
      texts_.append(text_.Head());
      textEnds_.push_back(texts_.size());
    }
    text_.End([this](std::string_view number) { Add(number); });
    ends_.push_back(numbers_.size() | (text_.WasRounded() ? kRounded : 0) | (text_.WasHeader() ? kHeader : 0));
    inString_ = false;
  }
}

}  // namespace zelvane
