#include "cli/classify_command.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/output_folder.h"
#include "cli/prefix_table_argument.h"
#include "cli/separator_argument.h"
#include "core/category_lists.h"
#include "core/repeat_filter.h"
#include "ops/category_files.h"

namespace zelvane::cli {

namespace {

struct ClassifyOptions {
  std::string outDir = ".";
  std::string separator;
  std::string prefixes;
  bool unique = false;
  std::vector<std::string> files;
};

int ReportError(const FileError& error) { return FailureExit(error.Message()); }

// Hands each number on to write, or with unique only its first occurrence (kept in a list of its own).
class NumberSink {
 public:
  explicit NumberSink(bool unique) : unique_(unique) {}

  template <class Write>
  void operator()(std::string_view number, NumberCategory category, Write&& write) {
    if (unique_ && !filter_.Insert(number, Filter::Hash(number), seen_.size())) return;
    if (unique_) seen_.Append(number);
    write(number, category);
  }

 private:
  struct Resolve {
    const NumberList* seen;
    std::string_view operator()(std::uint64_t id) const { return (*seen)[id]; }
  };
  using Filter = RepeatFilter<Resolve>;

  bool unique_;
  NumberList seen_;
  Filter filter_{Resolve{&seen_}};
};

int RunClassify(const CLI::App& app, const ClassifyOptions& options) {
  if (options.files.empty()) return UsageError(app, "缺少要导入的号码文件");
  std::string problem;
  const std::optional<std::string> separator = ParseSeparatorArgument(options.separator, problem);
  if (!separator) return UsageError(app, problem);
  int exit = kExitOk;
  const std::optional<PrefixTable> table = ResolvePrefixTable(app, options.prefixes, exit);
  if (!table) return exit;

  OutputFolder folder;
  if (FileResult error = folder.Make(options.outDir)) return ReportError(*error);
  // The five files are written beside their targets and replace them only once every input was read
  // and every file is on disk.
  CategoryFiles files(options.outDir, *separator);
  if (FileResult error = files.Open()) return ReportError(*error);
  CategoryCounts counts{};
  NumberSink sink(options.unique);
  const auto write = [&](std::string_view number, NumberCategory category) {
    files.Write(category, number);
    ++counts[CategoryIndex(category)];
  };
  for (const std::string& path : options.files) {
    NumberFile file;
    FileResult error = file.Open(path, InputKinds::AnyStream);
    if (!error) {
      error = ForEachClassifiedNumberIn(
          file, *table, [&](std::string_view number, NumberCategory category) { sink(number, category, write); });
    }
    if (error) return ReportError(*error);
  }
  if (FileResult error = files.CommitAll()) return ReportError(*error);
  folder.Keep();
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
  app->add_flag("--unique", options->unique, "每个号码只写出第一次出现");
  AddPrefixTableOption(*app, options->prefixes);
  app->add_option("FILE", options->files, "要导入的号码文件，- 为标准输入")->type_name("FILE");
  return Command{app, [app, options] { return RunClassify(*app, *options); }};
}

}  // namespace zelvane::cli
