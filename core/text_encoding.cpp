#include "core/text_encoding.h"

#include <cerrno>

namespace zelvane {

StreamingConverter::StreamingConverter(const char* fromCharset, const char* toCharset)
    : handle_(iconv_open(toCharset, fromCharset)) {}

StreamingConverter::~StreamingConverter() {
  if (ok()) iconv_close(handle_);
}

void StreamingConverter::Convert(std::string_view input, std::string& output) {
  pending_.append(input);
  char* in = pending_.data();
  std::size_t inLeft = pending_.size();
  while (inLeft > 0) {
    const std::size_t start = output.size();
    // No charset needs more than four output bytes per input byte.
    output.resize(start + inLeft * 4 + 16);
    char* out = output.data() + start;
    std::size_t outLeft = output.size() - start;
    const std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
    const int error = errno;
    output.resize(output.size() - outLeft);
    if (result != static_cast<std::size_t>(-1)) break;
    if (error == E2BIG) continue;
    if (error != EILSEQ) break;  // EINVAL: a character cut at the end, kept for the next piece
    {
      output.push_back('?');
      const std::size_t skip = inLeft >= 2 ? 2 : inLeft;  // the unit of the UTF-16 input we convert
      in += skip;
      inLeft -= skip;
    }
  }
  pending_.erase(0, pending_.size() - inLeft);
}

void StreamingConverter::Finish(std::string& output) {
  if (!pending_.empty()) output.push_back('?');
  pending_.clear();
}

std::optional<std::string> ConvertText(std::string_view text, const char* fromCharset, const char* toCharset) {
  iconv_t handle = iconv_open(toCharset, fromCharset);
  if (handle == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string input(text);
  std::string output(text.size() * 4 + 16, '\0');
  char* in = input.data();
  std::size_t inLeft = input.size();
  char* out = output.data();
  std::size_t outLeft = output.size();
  const std::size_t result = iconv(handle, &in, &inLeft, &out, &outLeft);
  iconv_close(handle);
  if (result == static_cast<std::size_t>(-1) || result > 0) return std::nullopt;
  output.resize(output.size() - outLeft);
  return output;
}

}  // namespace zelvane
