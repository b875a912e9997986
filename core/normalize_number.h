#pragma once

#include <string_view>

namespace zelvane {

// A token's number: without "+86", else "86", else the 0 of "01…" (but not of "010…"). Only the first
// rule that matches is applied. The result views the input. Inline: it runs for every number of a file.
inline std::string_view NormalizeNumber(std::string_view token) {
  if (token.starts_with("+86")) return token.substr(3);
  if (token.starts_with("86")) return token.substr(2);
  if (token.starts_with("01") && !token.starts_with("010")) return token.substr(1);
  return token;
}

}  // namespace zelvane
