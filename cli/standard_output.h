#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zelvane::cli {

// Text for standard output, handed to it in large writes (a command may print millions of lines);
// after a write fails nothing more is written.
class StandardOutputWriter {
 public:
  void Write(std::string_view text) {
    chunk_.append(text);
    if (chunk_.size() >= kChunk) Flush();
  }
  // Writes out what waits: 0, or the errno of the first write that failed.
  int Flush();

 private:
  static constexpr std::size_t kChunk = std::size_t{1} << 16;

  std::string chunk_;
  int error_ = 0;
};

// The exit of a command whose standard output failed with error (an errno value; 0: none): 0, or 1
// after saying "无法写入标准输出：…".
int StandardOutputExit(int error);
// Writes text whole to standard output; the command's exit as StandardOutputExit gives it.
int WriteStandardOutput(std::string_view text);

}  // namespace zelvane::cli
