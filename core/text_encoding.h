#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelvane {

// Converts UTF-16 text to GBK, the charset of number files (or to UTF-8, that of tables), in pieces
// of any size (a character cut at the end of a piece is finished with the next). Each character that
// the target cannot hold becomes one "?", a surrogate pair being one character; so does a lone
// surrogate, and a last byte without its pair. The rule is the same on every system.
class Utf16Converter {
 public:
  enum class ByteOrder { LittleEndian, BigEndian };
  enum class Target { Gbk, Utf8 };

  explicit Utf16Converter(ByteOrder order, Target target = Target::Gbk) : order_(order), target_(target) {}

  // Converts input (after what was left of the last piece) and appends the result to output. False
  // when the system cannot convert to GBK.
  bool Convert(std::string_view input, std::string& output);
  // Ends the text: an incomplete last character becomes "?".
  void Finish(std::string& output);

 private:
  ByteOrder order_;
  Target target_;
  std::string pending_;   // the start of a character cut at the end of the last piece
  std::u16string units_;  // the piece's characters, each one the target can be asked for
};

// Text that the user typed, in fromCharset, as GBK bytes; nothing when it holds a character that GBK
// cannot hold or bytes that are no text in fromCharset. The desktop program and the command line
// both encode separators with it.
std::optional<std::string> EncodeGbk(std::string_view text, const char* fromCharset = "UTF-8");

// Whether text is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF), as
// user tables must be.
bool IsUtf8(std::string_view text);

}  // namespace zelvane
