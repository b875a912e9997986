// Windows only: a program started without standard input. The stream gets the null device before any
// file is opened (else the first file opened would become standard input), and the program can still
// tell that it was closed.

#include <io.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "core/platform/files.h"
#include "core/platform/terminal.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

TEST(StandardStreams, ClosedInputGetsTheNullDeviceAndIsRemembered) {
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  _close(0);
  SetStdHandle(STD_INPUT_HANDLE, nullptr);
  EXPECT_TRUE(StandardInputWasClosed());

  EnsureStandardStreams();
  EXPECT_TRUE(StandardInputWasClosed()) << "after the null device took its place too";
  EXPECT_EQ(GetStdHandle(STD_OUTPUT_HANDLE), output) << "an open stream is left as it is";
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  EXPECT_TRUE(input != nullptr && input != INVALID_HANDLE_VALUE);
  test::TemporaryFolder folder;
  test::WriteFile(folder / "numbers.txt", "13912345678");
  const int fd = OpenForReading(folder / "numbers.txt");
  EXPECT_GT(fd, 2) << "a file opened later is no standard stream";
  char buffer[16];
  EXPECT_EQ(ReadSome(StandardInput(), buffer, sizeof buffer), 0) << "standard input reads nothing";
  CloseFile(fd);
}

}  // namespace
}  // namespace zelvane
