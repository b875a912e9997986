#include "tests/support/process.h"

#include "tests/support/process_launch.h"
#include "tests/support/test_files.h"

namespace zelvane::test {

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder, const std::filesystem::path& input) {
  TemporaryFolder capture;
  ProcessResult result;
  result.exitCode = RunWithStreams(program, arguments, folder, input, capture / "stdout", capture / "stderr");
  result.out = ReadFile(capture / "stdout");
  result.err = ReadFile(capture / "stderr");
  return result;
}

std::string CliPath() { return ZELVANE_CLI_PATH; }

ProcessResult RunCli(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                     const std::filesystem::path& input) {
  return RunProgram(CliPath(), arguments, folder, input);
}

}  // namespace zelvane::test
