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

// Makes sure the standard streams are there before anything else opens a file: on POSIX a closed
// descriptor 0, 1 or 2 gets the null device, so that no file opened later takes its number and is read as
// standard input or written as standard error. Called first thing.
void EnsureStandardStreams();
// Whether the program was started with standard input closed (no handle on Windows): "-" then reads
// nothing the user gave, and is refused.
bool StandardInputWasClosed();

// Writes text to standard error as far as it takes it, for lines not worth failing over.
void WriteToStandardError(std::string_view text);

}  // namespace zelvane
