#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zelvane::test {

// The system's side of RunProgram: runs program with arguments in folder, its standard input read from
// input and its output and errors written to the files out and err, and returns its exit code.
int RunWithStreams(const std::string& program, const std::vector<std::string>& arguments,
                   const std::filesystem::path& folder, const std::filesystem::path& input,
                   const std::filesystem::path& out, const std::filesystem::path& err);

}  // namespace zelvane::test
