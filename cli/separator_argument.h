#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace zelvane::cli {

// The separator given on the command line, its escapes \r \n \t \\ resolved and its text converted
// from the terminal's encoding to GBK; empty means the default CR LF. Nothing when it is malformed
// (error says why).
std::optional<std::string> ParseSeparatorArgument(std::string_view argument, std::string& error);

// Adds the --separator option, shared by the commands that write numbers.
CLI::Option* AddSeparatorOption(CLI::App& app, std::string& separator);

// The charset of the terminal's locale (as main set it up); UTF-8 where the locale names none beyond ASCII.
std::string TerminalCharset();

}  // namespace zelvane::cli
