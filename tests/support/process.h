#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zelvane::test {

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// A command line that must fail: its exit code and how its message on stderr begins.
struct CliFailureCase {
  const char* name;
  std::vector<std::string> arguments;
  int exitCode;
  std::string errorStart;
};

// The empty input, the default standard input of a program run here.
#ifdef _WIN32
inline const char* const kNullDevice = "NUL";
#else
inline const char* const kNullDevice = "/dev/null";
#endif

// Runs program with arguments in folder (no shell), with stdin from input, and collects its output.
// Program and arguments are UTF-8.
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder, const std::filesystem::path& input = kNullDevice);

#ifndef _WIN32
// In a forked child, its standard streams in place: runs program with arguments in folder (no shell).
[[noreturn]] void ExecInFolder(const std::string& program, const std::vector<std::string>& arguments,
                               const std::filesystem::path& folder);
#endif

// The zelvane-cli that this build made.
std::string CliPath();

// Runs the zelvane-cli that this build made.
ProcessResult RunCli(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                     const std::filesystem::path& input = kNullDevice);

}  // namespace zelvane::test
