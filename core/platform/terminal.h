#pragma once

#include <string_view>

namespace zelvane {

// The command line's side of the system.

// The charset of the program's arguments: the terminal's on POSIX; UTF-8 on Windows, whose programs
// take their arguments wide and hand them on as UTF-8.
const char* ArgumentCharset();

// Whether fd (1 or 2) is a terminal, a console window on Windows.
bool IsTerminal(int fd);

// The program's text goes out in UTF-8 (numbers in it as their GBK bytes) to a file or a pipe on every
// system, so that a command's output is the same bytes everywhere. Only a Windows console window is
// given the text as characters, which it shows whatever its code page.

// From now on standard output and error (std::cout, std::cerr) take UTF-8 and write it as above.
void ShowUtf8OnTerminal();

// Writes a command's output text whole to standard output as above: 0, or the errno of the failure.
int WriteTextToStandardOutput(std::string_view text);

// Shows line on standard error in place of the line shown there before, an empty one clearing it: the
// progress line. What is left of the old line is erased: "\r", line and ESC[K, but a Windows console
// window is given the line and blanks the rest itself.
void RewriteErrorLine(std::string_view line);

// Opens the null device on every standard stream that is closed, before anything else is opened, so
// that no file the program opens takes a standard stream's place (and standard input reads nothing).
void EnsureStandardStreams();
// Whether standard input was closed when the program started: then "-" names no input at all.
bool StandardInputWasClosed();

// Writes text to standard error as far as it takes it, for lines not worth failing over.
void WriteToStandardError(std::string_view text);

}  // namespace zelvane
