// Swapping two files' names, which undoing a commit of many files rests on: swapped whole or left as
// they were, and nothing else left in the folder.

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

#include "core/platform/files.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using test::FileNamesIn;
using test::ReadFile;
using test::TemporaryFolder;
using test::WriteFile;

// What the folder holds: each name with its contents.
std::vector<std::string> Contents(const TemporaryFolder& folder) {
  std::vector<std::string> contents;
  for (const std::string& name : FileNamesIn(folder.path())) contents.push_back(name + "=" + ReadFile(folder / name));
  return contents;
}

struct ExchangeCase {
  const char* name;
  bool firstThere;
  bool secondThere;
  bool swaps;
};

class ExchangeFilesTest : public testing::TestWithParam<ExchangeCase> {};

TEST_P(ExchangeFilesTest, SwapsWholeOrNotAtAll) {
  TemporaryFolder folder;
  if (GetParam().firstThere) WriteFile(folder / "新 文件.tmp", "new");
  if (GetParam().secondThere) WriteFile(folder / "移动.txt", "old");
  const std::vector<std::string> before = Contents(folder);
  const int error = ExchangeFiles(folder / "新 文件.tmp", folder / "移动.txt");
  if (error == EOPNOTSUPP) GTEST_SKIP() << "this file system cannot swap two files";
  if (GetParam().swaps) {
    EXPECT_EQ(error, 0);
    EXPECT_EQ(Contents(folder), (std::vector<std::string>{"新 文件.tmp=old", "移动.txt=new"}));
  } else {
    EXPECT_EQ(error, ENOENT);
    EXPECT_EQ(Contents(folder), before);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, ExchangeFilesTest,
                         testing::Values(ExchangeCase{"BothThere", true, true, true},
                                         ExchangeCase{"FirstMissing", false, true, false},
                                         ExchangeCase{"SecondMissing", true, false, false}),
                         [](const auto& p) { return std::string(p.param.name); });

#ifdef _WIN32
// A target that Windows will not let go of: refused, and both files as they were.
TEST(ExchangeFiles, RefusedTargetLeavesBothFiles) {
  const std::vector<std::pair<const char*, std::function<HANDLE(const std::filesystem::path&)>>> holds = {
      {"held open without sharing",
       [](const std::filesystem::path& path) {
         return CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
       }},
      {"marked read-only",
       [](const std::filesystem::path& path) {
         std::filesystem::permissions(path, std::filesystem::perms::owner_read);
         return INVALID_HANDLE_VALUE;
       }},
  };
  for (const auto& [hold, apply] : holds) {
    TemporaryFolder folder;
    WriteFile(folder / "新 文件.tmp", "new");
    WriteFile(folder / "移动.txt", "old");
    const HANDLE held = apply(folder / "移动.txt");
    EXPECT_NE(ExchangeFiles(folder / "新 文件.tmp", folder / "移动.txt"), 0) << hold;
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    std::filesystem::permissions(folder / "移动.txt", std::filesystem::perms::owner_all);
    EXPECT_EQ(Contents(folder), (std::vector<std::string>{"新 文件.tmp=new", "移动.txt=old"})) << hold;
  }
}
#endif

}  // namespace
}  // namespace zelvane
