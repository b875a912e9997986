#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <vector>

#include "cli/usage.h"

namespace zelvane::cli {

// zelvane-cli's arguments: the commands, their options, help and version.
class CommandLine {
 public:
  CommandLine();

  // Parses argv (the program name first). Returns the exit code when parsing alone ends the run
  // (help, version, bad usage; the text is printed), or nothing when Run should follow.
  std::optional<int> Parse(int argc, const char* const* argv);

  // Runs the command that Parse chose; returns the exit code.
  int Run() const;

 private:
  // The command given on the command line, once parsed; nothing before.
  const CLI::App* Chosen() const;

  CLI::App app_;
  std::vector<Command> commands_;
};

}  // namespace zelvane::cli
