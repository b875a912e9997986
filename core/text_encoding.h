#pragma once

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace zelvane {

// Converts UTF-16 text to GBK, the charset of number files, in pieces of any size (a character cut
// at the end of a piece is finished with the next). Characters that GBK cannot hold are
// transliterated or become "?"; so does every 16-bit unit that is no UTF-16.
class Utf16ToGbk {
 public:
  enum class ByteOrder { LittleEndian, BigEndian };

  explicit Utf16ToGbk(ByteOrder order);
  ~Utf16ToGbk();
  Utf16ToGbk(const Utf16ToGbk&) = delete;
  Utf16ToGbk& operator=(const Utf16ToGbk&) = delete;

  // False when the system cannot convert between the two.
  bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts input (after what was left of the last piece) and appends the result to output.
  void Convert(std::string_view input, std::string& output);
  // Ends the text: an incomplete last character becomes "?".
  void Finish(std::string& output);

 private:
  iconv_t handle_;
  std::string pending_;  // the start of a character cut at the end of the last piece
};

// Text that the user typed, in fromCharset, as GBK bytes; nothing when it holds a character that GBK
// cannot hold or bytes that are no text in fromCharset. The desktop program and the command line
// both encode separators with it.
std::optional<std::string> EncodeGbk(std::string_view text, const char* fromCharset = "UTF-8");

}  // namespace zelvane
