#pragma once

#include <string_view>

namespace zelvane {

// The command line's side of the system.

// The charset of the program's arguments: the terminal's on POSIX; UTF-8 on Windows, whose programs
// take their arguments wide and hand them on as UTF-8.
const char* ArgumentCharset();

// Whether fd (1 or 2) is a terminal, a console window on Windows.
bool IsTerminal(int fd);

// From now on standard output and error take UTF-8 and show it as the terminal does: on Windows in
// the console's code page; on POSIX as it is.
void ShowUtf8OnTerminal();

// Opens the null device on every standard stream that is closed, before anything else is opened, so
// that no file the program opens takes a standard stream's place (and standard input reads nothing).
void EnsureStandardStreams();
// Whether standard input was closed when the program started: then "-" names no input at all.
bool StandardInputWasClosed();

// Writes text to standard error as far as it takes it, for lines not worth failing over.
void WriteToStandardError(std::string_view text);

}  // namespace zelvane
