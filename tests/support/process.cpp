#include "tests/support/process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "tests/support/test_files.h"

namespace zelvane::test {

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder, const std::filesystem::path& input) {
  TemporaryFolder capture;
  const std::filesystem::path outPath = capture / "stdout";
  const std::filesystem::path errPath = capture / "stderr";
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    const int in = ::open(input.c_str(), O_RDONLY);
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0) ::_exit(126);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    ExecInFolder(program, arguments, folder);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
  }
  ProcessResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = ReadFile(outPath);
  result.err = ReadFile(errPath);
  return result;
}

void ExecInFolder(const std::string& program, const std::vector<std::string>& arguments,
                  const std::filesystem::path& folder) {
  if (::chdir(folder.c_str()) != 0) ::_exit(126);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  ::execv(program.c_str(), argv.data());
  ::_exit(127);
}

std::string CliPath() { return ZELVANE_CLI_PATH; }

ProcessResult RunCli(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                     const std::filesystem::path& input) {
  return RunProgram(CliPath(), arguments, folder, input);
}

}  // namespace zelvane::test
