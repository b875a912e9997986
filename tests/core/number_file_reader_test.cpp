#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "core/number_file_reader.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using test::TemporaryFolder;
using test::WriteFile;

std::vector<std::string> Numbers(const std::filesystem::path& path) {
  std::vector<std::string> tokens;
  const FileResult error = ForEachNumberInFile(path, [&tokens](std::string_view token) { tokens.emplace_back(token); });
  EXPECT_FALSE(error) << error->Message();
  return tokens;
}

struct EncodingCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> tokens;
};

class FileEncodingTest : public testing::TestWithParam<EncodingCase> {};

// Streamed in pieces or loaded whole, a file gives the same numbers.
TEST_P(FileEncodingTest, ReadsTheNumbers) {
  TemporaryFolder folder;
  WriteFile(folder / "numbers.txt", GetParam().bytes);
  EXPECT_EQ(Numbers(folder / "numbers.txt"), GetParam().tokens);
  std::string text;
  ASSERT_FALSE(LoadNumberFile(folder / "numbers.txt", text));
  std::vector<std::string> loaded;
  ScanNumbers(text, [&loaded](std::string_view token) { loaded.emplace_back(token); });
  EXPECT_EQ(loaded, GetParam().tokens);
}

std::string Utf16Le(std::string_view ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) out += std::string{c, '\0'};
  return out;
}

std::string Utf16Be(std::string_view ascii) {
  std::string out = "\xFE\xFF";
  for (char c : ascii) out += std::string{'\0', c};
  return out;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Encodings, FileEncodingTest,
    testing::Values(
        EncodingCase{"Plain", "13912345678\r\n", {"13912345678"}},
        EncodingCase{"Utf8Mark", "\xEF\xBB\xBF" "13912345678\r\n18612345678", {"13912345678", "18612345678"}},
        EncodingCase{"Utf8MarkOnlyAtStart", "1234\n\xEF\xBB\xBF" "5678", {"1234", "\xEF\xBB\xBF" "5678"}},
        EncodingCase{"Utf16Le", Utf16Le("13912345678\r\n+8618612345678\r\n"), {"13912345678", "+8618612345678"}},
        EncodingCase{"Utf16Be", Utf16Be("13912345678,15312345678"), {"13912345678", "15312345678"}},
        // "号码" in UTF-16LE becomes its GBK bytes.
        EncodingCase{"Utf16LeChinese", "\xFF\xFE\xF7\x53\x01\x78" + Utf16Le("1234").substr(2), {"\xBA\xC5\xC2\xEB" "1234"}},
        EncodingCase{"Utf16OddLastByte", Utf16Le("13912345678\n") + "1", {"13912345678"}},
        EncodingCase{"MarkAlone", "\xEF\xBB\xBF", {}}),
    [](const auto& p) { return std::string(p.param.name); });
// clang-format on

TEST(ReadNumberFile, LargeUtf16FileMatchesItsGbkTwin) {
  std::string ascii;
  for (int i = 0; i < 200000; ++i) ascii += std::to_string(13900000000LL + i) + "\r\n";
  TemporaryFolder folder;
  WriteFile(folder / "u16.txt", Utf16Le(ascii));
  WriteFile(folder / "plain.txt", ascii);
  EXPECT_EQ(Numbers(folder / "u16.txt"), Numbers(folder / "plain.txt"));
  std::string text;
  ASSERT_FALSE(LoadNumberFile(folder / "u16.txt", text));
  EXPECT_EQ(text, ascii);
}

TEST(ReadNumberFile, ReportsWhichFileAndWhy) {
  TemporaryFolder folder;
  std::filesystem::create_directory(folder / "dir");
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
  // clang-format off
  const std::vector<std::pair<std::filesystem::path, std::string>> cases = {
      {folder / "missing.txt", "文件或文件夹不存在"},
      {folder / "dir", "这是一个文件夹，不是文件"},
      {folder / "fifo", "这不是一个普通文件"},
  };
  // clang-format on
  for (const auto& [path, reason] : cases) {
    bool called = false;
    const FileResult error = ReadNumberFile(path, [&called](std::string_view) { called = true; });
    ASSERT_TRUE(error) << path;
    EXPECT_EQ(error->Message(), "无法读取文件“" + path.string() + "”：" + reason);
    EXPECT_FALSE(called);
    std::uint64_t size = 0;
    EXPECT_TRUE(NumberFileSize(path, size)) << path;
  }
}

TEST(ReadNumberFile, ReportsPermissionDenied) {
  TemporaryFolder folder;
  std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
  WriteFile(folder / "secret.txt", "13912345678");
  std::filesystem::permissions(folder / "secret.txt", std::filesystem::perms::none);
  const auto loadAsNobody = [&folder] {
    // Root reads every file: drop to an ordinary user first.
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(2);
    std::string text;
    const FileResult error = LoadNumberFile(folder / "secret.txt", text);
    std::_Exit(error && error->reason == "没有访问权限" && text.empty() ? 0 : 1);
  };
  EXPECT_EXIT(loadAsNobody(), testing::ExitedWithCode(0), "");
}

TEST(LoadNumberFile, FileLargerThanMemoryIsAnError) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#endif
  TemporaryFolder folder;
  WriteFile(folder / "huge.txt", "");
  std::filesystem::resize_file(folder / "huge.txt", std::uintmax_t{1} << 31);  // sparse: no disk used
  const auto loadWithLittleMemory = [&folder] {
    const rlimit limit{rlim_t{512} << 20, rlim_t{512} << 20};
    if (::setrlimit(RLIMIT_AS, &limit) != 0) std::_Exit(2);
    std::string text;
    const FileResult error = LoadNumberFile(folder / "huge.txt", text);
    std::_Exit(error && error->reason == "内存不足，无法载入这个文件" ? 0 : 1);
  };
  EXPECT_EXIT(loadWithLittleMemory(), testing::ExitedWithCode(0), "");
}

TEST(LoadNumberFile, HoldsExactlyTheTextRead) {
  TemporaryFolder folder;
  const std::string bytes = std::string(
                                "1391\0"
                                "2345678\r\n",
                                14) +
                            "\xEF\xBB\xBF";
  WriteFile(folder / "a.txt", "\xEF\xBB\xBF" + bytes);
  std::string text = "old";
  ASSERT_FALSE(LoadNumberFile(folder / "a.txt", text));
  EXPECT_EQ(text, bytes);
  std::uint64_t size = 0;
  ASSERT_FALSE(NumberFileSize(folder / "a.txt", size));
  EXPECT_EQ(size, bytes.size() + 3);
  EXPECT_TRUE(LoadNumberFile(folder / "none.txt", text));
  EXPECT_EQ(text, bytes) << "a failed load leaves the text as it was";
}

}  // namespace
}  // namespace zelvane
