#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace zelvane {

enum class FileOperation { Read, Write };

// Which file an operation failed on and why, for a message to the user.
struct FileError {
  FileOperation operation = FileOperation::Read;
  std::filesystem::path path;
  std::string reason;      // Simplified Chinese, UTF-8
  bool cancelled = false;  // the work was stopped on request: nothing failed
  bool usage = false;      // a setting of the user's cannot do (reason says why): no file failed

  // "无法读取文件“…”：…" or "无法写入文件“…”：…"; "-" is standard input or output.
  std::string Message() const;
};

// A failure or nothing; functions that only succeed or fail return this.
using FileResult = std::optional<FileError>;

// A path for a message, in UTF-8 on Windows too (where the system's paths are wide); on POSIX its bytes.
std::string PathInMessage(const std::filesystem::path& path);
// The path that text (UTF-8 on Windows; on POSIX the bytes as they are) names.
std::filesystem::path PathFromText(std::string_view text);

// The reason for a failed system call, in Simplified Chinese.
std::string SystemErrorReason(int errorNumber);

FileError MakeFileError(FileOperation operation, const std::filesystem::path& path, int errorNumber);

// A file too large for the memory there is.
FileError OutOfMemoryError(const std::filesystem::path& path);

}  // namespace zelvane
