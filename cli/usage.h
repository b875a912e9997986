#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <string>

namespace zelvane::cli {

enum ExitCode : int { kExitOk = 0, kExitFileError = 1, kExitUsage = 2 };

// A subcommand and what runs once its arguments are parsed.
struct Command {
  CLI::App* app;
  std::function<int()> run;
};

// Help texts and labels in Simplified Chinese.
void UseChineseHelp(CLI::App& app);

// Prints what is wrong and where the command's help is to stderr, as GNU tools do; returns the usage
// exit code.
int UsageError(const CLI::App& app, const std::string& message);

// A command-line parser error in Simplified Chinese. chosen is the command given, if any.
std::string TranslateParseError(const CLI::ParseError& error, const CLI::App& app, const CLI::App* chosen);

// Prints "zelvane-cli: message" to stderr; returns the exit code of a failed file operation.
int FailureExit(const std::string& message);

}  // namespace zelvane::cli
