#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zelvane::test {

// A handle closed when it goes out of scope (or when reset).
class Handle {
 public:
  explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
  ~Handle() { reset(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  void reset() {
    if (valid()) CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  HANDLE handle_;
};

// The command line that runs program (UTF-8) with arguments (UTF-8) as the C runtime reads it back.
std::wstring CommandLineOf(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace zelvane::test
