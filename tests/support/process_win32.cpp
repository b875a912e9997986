#include <windows.h>

#include <string>

#include "tests/support/process.h"
#include "tests/support/process_launch.h"
#include "tests/support/process_win32.h"
#include "tests/support/test_files.h"

namespace zelvane::test {

namespace {

Handle OpenInherited(const std::filesystem::path& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return Handle(CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherited,
                            disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// One argument as the C runtime's command line parser reads it back: quoted when it has blanks or
// quotes, with the backslashes before a quote doubled.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L'"';
}

}  // namespace

std::wstring CommandLineOf(const std::string& program, const std::vector<std::string>& arguments) {
  std::wstring commandLine = Quoted(PathFromText(program).make_preferred().native());
  for (const std::string& argument : arguments) commandLine += L' ' + Quoted(PathFromText(argument).native());
  return commandLine;
}

int RunWithStreams(const std::string& program, const std::vector<std::string>& arguments,
                   const std::filesystem::path& folder, const std::filesystem::path& input,
                   const std::filesystem::path& out, const std::filesystem::path& err) {
  // The same codes as the POSIX side: 126 when the streams cannot be opened, 127 when the program cannot start.
  const Handle in = OpenInherited(input, GENERIC_READ, OPEN_EXISTING);
  const Handle outFile = OpenInherited(out, GENERIC_WRITE, CREATE_ALWAYS);
  const Handle errFile = OpenInherited(err, GENERIC_WRITE, CREATE_ALWAYS);
  if (!in.valid() || !outFile.valid() || !errFile.valid()) return 126;

  std::wstring commandLine = CommandLineOf(program, arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in.get();
  startup.hStdOutput = outFile.get();
  startup.hStdError = errFile.get();
  PROCESS_INFORMATION child{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                      &child)) {
    return 127;
  }
  const Handle process(child.hProcess);
  const Handle thread(child.hThread);
  WaitForSingleObject(process.get(), INFINITE);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.get(), &exitCode);
  return static_cast<int>(exitCode);
}

}  // namespace zelvane::test
