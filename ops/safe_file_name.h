#pragma once

#include <string>
#include <string_view>

namespace zelvane {

// An area's name as a file or folder name (UTF-8) that stays in its folder on every system: characters
// that no name may hold (/ \ : * ? " < > |), control characters (DEL and C1 included) and the invisible
// ones that reorder or hide text (U+200B-U+200F, U+2028-U+202E, U+2066-U+2069, the byte-order mark) each
// become "_"; so does every dot or blank at its end (Windows drops them, and "." and ".." name folders);
// a Windows device name (CON, NUL, COM1, LPT1.txt, …) gets a "_" in front; an empty name is "_".
std::string SafeFileName(std::string_view name);

// The name as a file system that ignores the case of ASCII letters (Windows') compares it.
std::string FoldedCase(std::string name);

}  // namespace zelvane
