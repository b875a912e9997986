#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelvane {

// Windows only: the program's text is UTF-8 (numbers GBK), the system's is wide (UTF-16). Every
// conversion between them goes through here.

inline constexpr unsigned kUtf8CodePage = 65001;
inline constexpr unsigned kGbkCodePage = 936;

// Bytes in a code page as wide text; what is not valid there becomes U+FFFD (or "?" as the page has it).
std::wstring WideFromCodePage(std::string_view bytes, unsigned codePage);
// Wide text in a code page; each unit the page lacks becomes "?", never a look-alike, and lacking (when
// given) tells whether any did (in UTF-8 a lone surrogate becomes U+FFFD instead).
std::string InCodePage(std::wstring_view wide, unsigned codePage, bool* lacking = nullptr);

inline std::wstring Wide(std::string_view utf8) { return WideFromCodePage(utf8, kUtf8CodePage); }
inline std::string Utf8(std::wstring_view wide) { return InCodePage(wide, kUtf8CodePage); }

// The wide text of utf8, or nothing when it is not valid UTF-8.
std::optional<std::wstring> WideFromValidUtf8(std::string_view utf8);

}  // namespace zelvane
