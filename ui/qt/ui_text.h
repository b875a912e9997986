#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace zelvane {

// Text of the program (string constants, messages of the core) is UTF-8.
inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A path as messages and edits show it.
QString PathText(const std::filesystem::path& path);

// Numbers are GBK bytes; they become QString only to be shown.
QString DecodeGbk(std::string_view bytes);

}  // namespace zelvane
