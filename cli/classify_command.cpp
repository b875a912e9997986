#include "cli/classify_command.h"

#include <array>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/separator_argument.h"
#include "core/category_lists.h"
#include "ops/atomic_file_writer.h"

namespace zelvane::cli {

namespace {

struct ClassifyOptions {
  std::string outDir = ".";
  std::string separator;
  std::vector<std::string> files;
};

int ReportError(const FileError& error) { return FailureExit(error.Message()); }

int RunClassify(const CLI::App& app, const ClassifyOptions& options) {
  std::string problem;
  const std::optional<std::string> separator = ParseSeparatorArgument(options.separator, problem);
  if (!separator) return UsageError(app, problem);

  const std::filesystem::path outDir(options.outDir);
  std::error_code created;
  std::filesystem::create_directories(outDir, created);
  if (!created && !std::filesystem::is_directory(outDir, created))
    created = std::make_error_code(std::errc::not_a_directory);
  if (created) return ReportError(MakeFileError(FileOperation::Write, outDir, created.value()));

  // The five files are written beside their targets and replace them only once every input was read.
  std::vector<std::unique_ptr<AtomicFileWriter>> writers;
  for (NumberCategory category : kAllCategories) {
    writers.push_back(std::make_unique<AtomicFileWriter>(outDir / std::string(CategoryFileName(category))));
    if (FileResult error = writers.back()->Open()) return ReportError(*error);
  }
  CategoryCounts counts{};
  for (const std::string& file : options.files) {
    FileResult error = ForEachClassifiedNumberInFile(file, [&](std::string_view number, NumberCategory category) {
      AtomicFileWriter& writer = *writers[CategoryIndex(category)];
      writer.Write(number);
      writer.Write(*separator);
      ++counts[CategoryIndex(category)];
    });
    if (error) return ReportError(*error);
  }
  for (auto& writer : writers) writer->EndWrites();  // the five go to disk side by side
  for (auto& writer : writers) {
    if (FileResult error = writer->Commit()) return ReportError(*error);
  }
  std::cout << StatusText(counts) << "\n";
  return kExitOk;
}

}  // namespace

Command AddClassifyCommand(CLI::App& parent) {
  auto options = std::make_shared<ClassifyOptions>();
  CLI::App* app = parent.add_subcommand(
      "classify", "按运营商给号码分类：依次导入各文件，写出 移动.txt、联通.txt、电信.txt、小灵通.txt、其他.txt");
  app->add_option("--out", options->outDir, "写出五个文件的文件夹（默认：当前文件夹）")->type_name("DIR");
  AddSeparatorOption(*app, options->separator);
  app->add_option("FILE", options->files, "要导入的号码文件")->required()->type_name("FILE");
  return Command{app, [app, options] { return RunClassify(*app, *options); }};
}

}  // namespace zelvane::cli
