// zelvane-cli's argument parsing on arbitrary argument lists (split at zero bytes); the chosen
// command is never run. Also the separator argument on every argument.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/separator_argument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> arguments = {"zelvane-cli"};
  std::string current;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      arguments.push_back(current);
      current.clear();
    } else {
      current.push_back(static_cast<char>(data[i]));
    }
  }
  arguments.push_back(current);

  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  zelvane::cli::CommandLine commandLine;
  const std::optional<int> exitCode = commandLine.Parse(static_cast<int>(argv.size()), argv.data());
  if (exitCode && *exitCode != zelvane::cli::kExitOk && *exitCode != zelvane::cli::kExitUsage) std::abort();

  for (const std::string& argument : arguments) {
    std::string problem;
    const std::optional<std::string> separator = zelvane::cli::ParseSeparatorArgument(argument, problem);
    if (separator.has_value() == !problem.empty() || (separator && separator->empty())) std::abort();
  }
  return 0;
}
