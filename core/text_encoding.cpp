#include "core/text_encoding.h"

#include <cerrno>

namespace zelvane {

namespace {

constexpr std::size_t kUtf16Unit = 2;

}  // namespace

Utf16ToGbk::Utf16ToGbk(ByteOrder order)
    : handle_(iconv_open("GBK//TRANSLIT", order == ByteOrder::LittleEndian ? "UTF-16LE" : "UTF-16BE")) {}

Utf16ToGbk::~Utf16ToGbk() {
  if (ok()) iconv_close(handle_);
}

void Utf16ToGbk::Convert(std::string_view input, std::string& output) {
  pending_.append(input);
  char* in = pending_.data();
  std::size_t inLeft = pending_.size();
  while (inLeft > 0) {
    const std::size_t start = output.size();
    // A GBK character takes at most two bytes for every UTF-16 unit, "?" one.
    output.resize(start + inLeft + 16);
    char* out = output.data() + start;
    std::size_t outLeft = output.size() - start;
    const std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
    const int error = errno;
    output.resize(output.size() - outLeft);
    if (result != static_cast<std::size_t>(-1) || error == EINVAL) break;  // EINVAL: cut at the end, kept
    if (error == E2BIG) continue;
    output.push_back('?');  // EILSEQ: a unit that is no UTF-16
    const std::size_t skip = inLeft >= kUtf16Unit ? kUtf16Unit : inLeft;
    in += skip;
    inLeft -= skip;
  }
  pending_.erase(0, pending_.size() - inLeft);
}

void Utf16ToGbk::Finish(std::string& output) {
  if (!pending_.empty()) output.push_back('?');
  pending_.clear();
}

std::optional<std::string> EncodeGbk(std::string_view text, const char* fromCharset) {
  const iconv_t handle = iconv_open("GBK", fromCharset);
  if (handle == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string input(text);
  std::string output(text.size() * 2 + 16, '\0');  // no charset needs more than two GBK bytes a byte
  char* in = input.data();
  std::size_t inLeft = input.size();
  char* out = output.data();
  std::size_t outLeft = output.size();
  const std::size_t result = iconv(handle, &in, &inLeft, &out, &outLeft);
  iconv_close(handle);
  // iconv counts irreversible conversions in its result: those are characters GBK cannot hold too.
  if (result != 0) return std::nullopt;
  output.resize(output.size() - outLeft);
  return output;
}

}  // namespace zelvane
