// zelvane-cli: sorts phone numbers by carrier and compares number files from the shell.

#include <clocale>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "core/platform/terminal.h"

namespace {

int Run(int argc, char** argv) {
  zelvane::EnsureStandardStreams();
  zelvane::ShowUtf8OnTerminal();
  zelvane::cli::CommandLine commandLine;
  if (const std::optional<int> exitCode = commandLine.Parse(argc, argv)) return *exitCode;
  return commandLine.Run();
}

}  // namespace

#ifdef _WIN32
#include "core/platform/wide_text.h"

// Windows hands the arguments over wide; they go on as UTF-8, which paths and separators take.
int wmain(int argc, wchar_t** wide) {
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(zelvane::Utf8(wide[i]));
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  return Run(argc, argv.data());
}
#else
int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "");  // the terminal's charset, for separators typed in it
  return Run(argc, argv);
}
#endif
