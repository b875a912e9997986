// zelvane-cli: sorts phone numbers by carrier and compares number files from the shell.

#include <clocale>

#include "cli/command_line.h"

int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "");  // the terminal's charset, for separators typed in it
  zelvane::cli::CommandLine commandLine;
  if (const std::optional<int> exitCode = commandLine.Parse(argc, argv)) return *exitCode;
  return commandLine.Run();
}
