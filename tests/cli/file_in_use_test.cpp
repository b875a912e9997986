// Windows only: a target that another program holds open without sharing cannot be replaced. When
// that target comes late in a commit of many files, the ones replaced before it get their old bytes
// back, and no temporary file stays behind.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/test_files.h"
#include "tests/support/test_text.h"

namespace zelvane {
namespace {

using test::FileNamesIn;
using test::ReadFile;
using test::RunCli;
using test::TemporaryFolder;
using test::WriteFile;

// Holds a file open as an editor that lets no one else at it would.
class HeldFile {
 public:
  explicit HeldFile(const std::filesystem::path& path)
      : handle_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldFile() {
    if (held()) CloseHandle(handle_);
  }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

struct InUseCase {
  const char* name;
  std::vector<std::string> arguments;
  std::vector<std::string> targets;  // in the order they are replaced
  std::string held;
};

class FileInUseTest : public testing::TestWithParam<InUseCase> {};

TEST_P(FileInUseTest, PutsBackEveryTargetReplacedBefore) {
  TemporaryFolder folder;
  WriteFile(folder / "in.txt", "13912345678\n075512345678\n13000301234\n19912345678\n18612345678\n15312345678\n");
  for (const std::string& name : GetParam().targets) WriteFile(folder / name, "old " + name);
  const std::vector<std::string> before = FileNamesIn(folder.path());
  test::ProcessResult result;
  {
    const HeldFile held(folder / GetParam().held);
    ASSERT_TRUE(held.held());
    result = RunCli(GetParam().arguments, folder.path());
  }
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(result.err.starts_with("zelvane-cli: 无法写入文件“") &&
              result.err.ends_with(GetParam().held + "”：文件正被占用\n"))
      << result.err;
  for (const std::string& name : GetParam().targets) EXPECT_EQ(ReadFile(folder / name), "old " + name) << name;
  EXPECT_EQ(FileNamesIn(folder.path()), before) << "no temporary file";
}

const std::vector<std::string> kCategories(test::kCategoryFileNames.begin(), test::kCategoryFileNames.end());
const std::vector<std::string> kProvinces = {"广东省.txt", "江苏省.txt", "未知地区.txt"};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Commits, FileInUseTest,
    testing::Values(
        InUseCase{"FirstOfFive", {"classify", "in.txt"}, kCategories, "移动.txt"},
        InUseCase{"FourthOfFive", {"classify", "in.txt"}, kCategories, "小灵通.txt"},
        InUseCase{"LastOfFive", {"classify", "in.txt"}, kCategories, "其他.txt"},
        InUseCase{"LastProvince", {"classify", "--by", "province", "in.txt"}, kProvinces, "未知地区.txt"},
        InUseCase{"CompareResult", {"compare", "--same", "--out", "result.txt", "in.txt", "in.txt"}, {"result.txt"},
                  "result.txt"}),
    [](const auto& p) { return std::string(p.param.name); });
// clang-format on

}  // namespace
}  // namespace zelvane
