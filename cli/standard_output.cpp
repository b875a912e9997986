#include "cli/standard_output.h"

#include "cli/usage.h"
#include "core/file_error.h"
#include "core/platform/terminal.h"

namespace zelvane::cli {

int StandardOutputWriter::Flush() {
  if (error_ == 0) error_ = WriteTextToStandardOutput(chunk_);
  chunk_.clear();
  return error_;
}

int StandardOutputExit(int error) {
  return error == 0 ? kExitOk : FailureExit("无法写入标准输出：" + SystemErrorReason(error));
}

int WriteStandardOutput(std::string_view text) { return StandardOutputExit(WriteTextToStandardOutput(text)); }

}  // namespace zelvane::cli
