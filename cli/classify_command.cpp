#include "cli/classify_command.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/output_folder.h"
#include "cli/prefix_table_argument.h"
#include "cli/separator_argument.h"
#include "cli/terminal_progress.h"
#include "ops/classify_files.h"

namespace zelvane::cli {

namespace {

struct ClassifyOptions {
  std::string outDir = ".";
  std::string separator;
  std::string prefixes;
  bool unique = false;
  std::vector<std::string> files;
  ProgressOptions progress;
};

int ReportError(const FileError& error) { return FailureExit(error.Message()); }

int RunClassify(const CLI::App& app, const ClassifyOptions& options) {
  if (options.files.empty()) return UsageError(app, "缺少要导入的号码文件");
  std::string problem;
  const std::optional<std::string> separator = ParseSeparatorArgument(options.separator, problem);
  if (!separator) return UsageError(app, problem);
  int exit = kExitOk;
  const std::optional<PrefixTable> table = ResolvePrefixTable(app, options.prefixes, exit);
  if (!table) return exit;

  OutputFolder folder;
  if (FileResult error = folder.Make(PathFromText(options.outDir))) return ReportError(*error);
  TerminalProgress terminal("classify", options.progress);
  std::vector<std::filesystem::path> inputs;
  for (const std::string& file : options.files) inputs.push_back(PathFromText(file));
  const ClassifyJob job{inputs,         PathFromText(options.outDir), *separator, &*table,
                        options.unique, &terminal.Progress()};
  CategoryCounts counts{};
  const FileResult error = ClassifyFiles(job, counts);
  terminal.Clear();
  if (error) return ReportError(*error);
  folder.Keep();
  if (!options.progress.quiet) std::cout << StatusText(counts) << "\n";
  return kExitOk;
}

}  // namespace

Command AddClassifyCommand(CLI::App& parent) {
  auto options = std::make_shared<ClassifyOptions>();
  CLI::App* app = parent.add_subcommand(
      "classify", "按运营商给号码分类：依次导入各文件，写出 移动.txt、联通.txt、电信.txt、小灵通.txt、其他.txt");
  app->add_option("--out", options->outDir, "写出五个文件的文件夹（默认：当前文件夹）")->type_name("DIR");
  AddSeparatorOption(*app, options->separator);
  app->add_flag("--unique", options->unique, "每个号码只写出第一次出现");
  AddPrefixTableOption(*app, options->prefixes);
  AddProgressOptions(*app, options->progress);
  app->add_option("FILE", options->files, "要导入的号码文件，- 为标准输入")->type_name("FILE");
  return Command{app, [app, options] { return RunClassify(*app, *options); }};
}

}  // namespace zelvane::cli
