#include "cli/compare_command.h"

#include <cerrno>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/separator_argument.h"
#include "ops/number_comparison.h"
#include "ops/number_file_writer.h"

namespace zelvane::cli {

namespace {

struct CompareOptions {
  bool same = false;
  bool different = false;
  std::string out;
  std::string separator;
  std::vector<std::string> files;
};

// Writes each number and the separator after it to standard output; false (errno set) when that fails.
bool WriteNumbersToStandardOutput(const NumberList& numbers, std::string_view separator) {
  constexpr std::size_t kChunk = std::size_t{1} << 16;
  std::string chunk;
  chunk.reserve(kChunk + 64);
  for (std::string_view number : numbers) {
    chunk.append(number).append(separator);
    if (chunk.size() >= kChunk) {
      if (!WriteToStandardOutput(chunk)) return false;
      chunk.clear();
    }
  }
  return WriteToStandardOutput(chunk);
}

int RunCompare(const CLI::App& app, const CompareOptions& options) {
  if (options.same == options.different) {
    return UsageError(app, "请指定 --same（找相同）或 --different（找不同）中的一个");
  }
  if (options.files.size() != 2) {
    return UsageError(app, "需要两个号码文件，实际给出了" + std::to_string(options.files.size()) + "个");
  }
  std::string problem;
  const std::optional<std::string> separator = ParseSeparatorArgument(options.separator, problem);
  if (!separator) return UsageError(app, problem);

  const ComparisonMode mode = options.same ? ComparisonMode::FindSame : ComparisonMode::FindDifferent;
  NumberList result;
  if (FileResult error = CompareFiles(options.files[0], options.files[1], mode, result)) {
    return FailureExit(error->Message());
  }
  if (options.out.empty()) {
    if (!WriteNumbersToStandardOutput(result, *separator))
      return FailureExit("无法写入标准输出：" + SystemErrorReason(errno));
  } else if (FileResult error = WriteNumberFile(options.out, result, *separator)) {
    return FailureExit(error->Message());
  }
  std::cerr << "找到" << result.size() << (options.same ? "个相同的号码" : "个不同的号码") << "\n";
  return kExitOk;
}

}  // namespace

Command AddCompareCommand(CLI::App& parent) {
  auto options = std::make_shared<CompareOptions>();
  CLI::App* app = parent.add_subcommand(
      "compare", "比较两个号码文件：列出较大的文件（大小相同时为 FILE1）中在另一个文件里出现或没有出现的号码");
  app->add_flag("--same", options->same, "找相同：列出在另一个文件中出现的号码");
  app->add_flag("--different", options->different, "找不同：列出在另一个文件中没有出现的号码");
  app->add_option("--out", options->out, "把结果写入这个文件（默认：标准输出）")->type_name("FILE");
  AddSeparatorOption(*app, options->separator);
  app->add_option("FILE", options->files, "要比较的两个号码文件：FILE1 FILE2")->type_name("FILE");
  return Command{app, [app, options] { return RunCompare(*app, *options); }};
}

}  // namespace zelvane::cli
