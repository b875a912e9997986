#pragma once

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace zelvane {

// Number files and separators are GBK bytes.
inline constexpr const char* kNumberFileCharset = "GBK";

// Converts a stream of text between two charsets in pieces of any size (iconv underneath).
// Bytes that cannot be converted become "?".
class StreamingConverter {
 public:
  StreamingConverter(const char* fromCharset, const char* toCharset);
  ~StreamingConverter();
  StreamingConverter(const StreamingConverter&) = delete;
  StreamingConverter& operator=(const StreamingConverter&) = delete;

  bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts input (after what is left of the last piece) and appends the result to output.
  void Convert(std::string_view input, std::string& output);
  // Ends the stream: an incomplete last character becomes "?".
  void Finish(std::string& output);

 private:
  iconv_t handle_;
  std::string pending_;  // the start of a character cut at the end of the last piece
};

// The whole of text converted, or nothing when it holds bytes that cannot be converted.
std::optional<std::string> ConvertText(std::string_view text, const char* fromCharset, const char* toCharset);

}  // namespace zelvane
