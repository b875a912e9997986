#include "core/number_file_reader.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <string>
#include <thread>
#include <vector>

#include "tests/support/test_files.h"
#include "tests/support/test_text.h"

namespace zelvane {
namespace {

using test::TemporaryFolder;
using test::Utf16Be;
using test::Utf16Le;
using test::WriteFile;

std::vector<std::string> Numbers(const std::filesystem::path& path, InputKinds kinds = InputKinds::RegularFiles) {
  std::vector<std::string> tokens;
  NumberFile file;
  FileResult error = file.Open(path, kinds);
  if (!error) error = ForEachNumberIn(file, [&tokens](std::string_view token) { tokens.emplace_back(token); });
  EXPECT_FALSE(error) << error->Message();
  return tokens;
}

struct EncodingCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> tokens;
};

class FileEncodingTest : public testing::TestWithParam<EncodingCase> {};

TEST_P(FileEncodingTest, ReadsTheNumbers) {
  TemporaryFolder folder;
  WriteFile(folder / "numbers.txt", GetParam().bytes);
  EXPECT_EQ(Numbers(folder / "numbers.txt"), GetParam().tokens);
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

// Converted piece by piece, with characters cut at the pieces' ends, and read twice from one open file.
TEST(NumberFile, LargeUtf16FileMatchesItsGbkTwinAndReadsAgain) {
  std::string ascii;
  for (int i = 0; i < 200000; ++i) ascii += std::to_string(13900000000LL + i) + "\r\n";
  TemporaryFolder folder;
  WriteFile(folder / "u16.txt", Utf16Le(ascii) + "1");  // an odd last byte: a "?"
  NumberFile file;
  ASSERT_FALSE(file.Open(folder / "u16.txt"));
  EXPECT_TRUE(file.IsRegular());
  EXPECT_EQ(file.Size(), 2 * ascii.size() + 3);
  for (int pass = 0; pass < 2; ++pass) {
    std::string text;
    ASSERT_FALSE(LoadNumberFile(file, text));
    EXPECT_TRUE(text == ascii + "?") << "pass " << pass << ": " << text.size() << " bytes";
  }
}

TEST(NumberFile, ReportsWhichFileAndWhy) {
  TemporaryFolder folder;
  std::filesystem::create_directory(folder / "dir");
  // clang-format off
  std::vector<std::tuple<std::filesystem::path, InputKinds, std::string>> cases = {
      {folder / "missing.txt", InputKinds::RegularFiles, "文件或文件夹不存在"},
      {folder / "dir", InputKinds::RegularFiles, "这是一个文件夹，不是文件"},
      {folder / "dir", InputKinds::AnyStream, "这是一个文件夹，不是文件"},
  };
  // clang-format on
#ifndef _WIN32
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
  cases.emplace_back(folder / "fifo", InputKinds::RegularFiles, "这不是一个普通文件");  // at once, without a writer
#endif
  for (const auto& [path, kinds, reason] : cases) {
    NumberFile file;
    const FileResult error = file.Open(path, kinds);
    ASSERT_TRUE(error) << path;
    EXPECT_EQ(error->Message(), "无法读取文件“" + PathInMessage(path) + "”：" + reason);
  }
}

#ifndef _WIN32  // FIFOs, descriptors, users and RLIMIT_AS
// A pipe and standard input are read to their end when streams are allowed.
TEST(NumberFile, ReadsStreamsToTheirEnd) {
  TemporaryFolder folder;
  const std::filesystem::path fifo = folder / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // By name a FIFO is refused at once even where streams are taken, never waited on: a stream is "-".
  NumberFile named;
  const FileResult refused = named.Open(fifo, InputKinds::AnyStream);
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->reason, "这不是一个普通文件");
  const auto readPipe = [] {
    int ends[2];
    if (::pipe(ends) != 0 || ::write(ends[1], "13912345678\n18612345678", 23) != 23) std::_Exit(2);
    ::close(ends[1]);
    if (::dup2(ends[0], STDIN_FILENO) < 0) std::_Exit(2);
    NumberFile file;
    std::string text;
    if (file.Open(kStandardInput, InputKinds::AnyStream) || LoadNumberFile(file, text)) std::_Exit(3);
    std::_Exit(text == "13912345678\n18612345678" ? 0 : 1);
  };
  EXPECT_EXIT(readPipe(), testing::ExitedWithCode(0), "");

  const auto readStandardInput = [&folder] {
    WriteFile(folder / "in.txt",
              "\xEF\xBB\xBF"
              "15312345678\n");
    const int in = ::open((folder / "in.txt").c_str(), O_RDONLY);
    if (in < 0 || ::dup2(in, STDIN_FILENO) < 0) std::_Exit(2);
    NumberFile file;
    if (file.Open(kStandardInput, InputKinds::AnyStream) || file.IsRegular() != true) std::_Exit(3);
    std::string text;
    std::_Exit(!LoadNumberFile(file, text) && text == "15312345678\n" ? 0 : 1);
  };
  EXPECT_EXIT(readStandardInput(), testing::ExitedWithCode(0), "");
  const FileError error{FileOperation::Read, kStandardInput, "输入/输出错误"};
  EXPECT_EQ(error.Message(), "无法读取标准输入：输入/输出错误");
}

TEST(NumberFile, ReportsPermissionDenied) {
  TemporaryFolder folder;
  std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
  WriteFile(folder / "secret.txt", "13912345678");
  std::filesystem::permissions(folder / "secret.txt", std::filesystem::perms::none);
  const auto openAsNobody = [&folder] {
    // Root reads every file: drop to an ordinary user first.
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(2);
    NumberFile file;
    const FileResult error = file.Open(folder / "secret.txt");
    std::_Exit(error && error->reason == "没有访问权限" ? 0 : 1);
  };
  EXPECT_EXIT(openAsNobody(), testing::ExitedWithCode(0), "");
}

TEST(LoadNumberFile, FileLargerThanMemoryIsAnError) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizers reserve more address space than the limit allows";
#endif
  TemporaryFolder folder;
  WriteFile(folder / "huge.txt", "");
  std::filesystem::resize_file(folder / "huge.txt", std::uintmax_t{1} << 31);  // sparse: no disk used
  const auto loadWithLittleMemory = [&folder] {
    const rlimit limit{rlim_t{512} << 20, rlim_t{512} << 20};
    if (::setrlimit(RLIMIT_AS, &limit) != 0) std::_Exit(2);
    NumberFile file;
    std::string text;
    const FileResult error = file.Open(folder / "huge.txt") ? FileResult() : LoadNumberFile(file, text);
    std::_Exit(error && error->reason == "内存不足，无法载入这个文件" && text.empty() ? 0 : 1);
  };
  EXPECT_EXIT(loadWithLittleMemory(), testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
}  // namespace zelvane
