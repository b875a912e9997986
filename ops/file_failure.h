#pragma once

#include <exception>
#include <utility>

#include "core/file_error.h"

namespace zelvane {

// A file error thrown out of the callbacks of a read, to end the whole operation; caught where it began.
class FileFailure : public std::exception {
 public:
  explicit FileFailure(FileError error) : error_(std::move(error)) {}
  const FileError& error() const { return error_; }
  const char* what() const noexcept override { return "file failure"; }

 private:
  FileError error_;
};

inline void ThrowIfFailed(FileResult result) {
  if (result) throw FileFailure(std::move(*result));
}

}  // namespace zelvane
