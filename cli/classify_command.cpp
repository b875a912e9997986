#include "cli/classify_command.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/classify_by_argument.h"
#include "cli/format_argument.h"
#include "cli/input_arguments.h"
#include "cli/number_form_argument.h"
#include "cli/separator_argument.h"
#include "cli/standard_output.h"
#include "cli/table_arguments.h"
#include "cli/terminal_progress.h"
#include "core/platform/interrupts.h"
#include "ops/area_classify.h"
#include "ops/classify_files.h"
#include "ops/made_folders.h"

namespace zelvane::cli {

namespace {

struct ClassifyOptions {
  std::string outDir = ".";
  std::string separator;
  std::string prefixes;
  std::string by;
  std::string areas;
  std::string format;
  NumberFormOptions form;
  bool unique = false;
  std::vector<std::string> files;
  InputOptions input;
  ProgressOptions progress;
};

// "当前共有…个号码，写入…个文件", then each file written and its count, separated by a tab.
std::string AreaStatusText(const AreaSplit& split, const std::vector<std::uint64_t>& counts, NumberFileFormat format) {
  std::uint64_t numbers = 0;
  std::size_t files = 0;
  std::string lines;
  for (std::size_t file = 0; file < counts.size(); ++file) {
    if (counts[file] == 0) continue;
    numbers += counts[file];
    ++files;
    lines += PathInMessage(NameInFormat(split.FileName(file), format)) + "\t" + std::to_string(counts[file]) + "\n";
  }
  return "当前共有" + std::to_string(numbers) + "个号码，写入" + std::to_string(files) + "个文件\n" + lines;
}

int RunClassify(const CLI::App& app, const ClassifyOptions& options) {
  if (options.files.empty()) return UsageError(app, "缺少要导入的号码文件");
  std::string problem;
  const std::optional<std::string> separator = ParseSeparatorArgument(options.separator, problem);
  if (!separator) return UsageError(app, problem);
  const std::optional<ClassifyBy> by = ParseClassifyBy(options.by, problem);
  if (!by) return UsageError(app, problem);
  const std::optional<NumberFileFormat> format = ParseFormatArgument(options.format, NumberFileFormat::Text, problem);
  if (!format) return UsageError(app, problem);
  const std::optional<NumberForm> form = ParseNumberForm(options.form, problem);
  if (!form) return UsageError(app, problem);
  int exit = kExitOk;
  const std::optional<PrefixTable> table = ResolvePrefixTable(app, options.prefixes, exit);
  if (!table) return exit;
  // The built-in area table is made on first use: not for the carrier files, which do without it.
  std::optional<AreaTable> loaded;
  const AreaTable* areas = nullptr;
  if (by->area || !options.areas.empty()) {
    areas = ResolveAreaTable(app, options.areas, loaded, exit);
    if (!areas) return exit;
  }

  MadeFolders folder;
  if (FileResult error = folder.Make(PathFromText(options.outDir))) return FailureExit(error->Message());
  // Ctrl+C and the like stop the work where every file stays whole: before the last file is replaced,
  // none is, and the command then ends as interrupted; after that, the command is done.
  std::stop_source stop;
  InterruptsAsStop interrupts(stop);
  TerminalProgress terminal("classify", options.progress, stop.get_token());
  std::vector<std::filesystem::path> inputs;
  for (const std::string& file : options.files) inputs.push_back(PathFromText(file));
  const ClassifyJob job{inputs,
                        PathFromText(options.outDir),
                        *separator,
                        &*table,
                        options.unique,
                        &terminal.Progress(),
                        ReadingOf(options.input),
                        *format,
                        *form};
  std::string status;
  FileResult error;
  if (by->area) {
    const AreaSplit split(*areas, *by->area, by->byCarrier);
    std::vector<std::uint64_t> counts;
    NumberOutputCounts written;
    error = ClassifyFilesByArea(job, split, counts, AreaClassifyMemory(), &written);
    if (!error) status = AreaStatusText(split, counts, job.format) + WrittenNumbersText(written);
  } else {
    CategoryCounts counts{};
    NumberOutputCounts written;
    error = ClassifyFiles(job, counts, &written);
    if (!error) status = StatusText(counts) + "\n" + WrittenNumbersText(written);
  }
  terminal.Clear();
  if (WasCancelled(error) && interrupts.Caught()) interrupts.EndAsInterrupted();
  if (error && error->usage) return UsageError(app, error->Message());
  if (error) return FailureExit(error->Message());
  folder.Keep();
  return options.progress.quiet ? kExitOk : WriteStandardOutput(status);
}

}  // namespace

Command AddClassifyCommand(CLI::App& parent) {
  auto options = std::make_shared<ClassifyOptions>();
  CLI::App* app = parent.add_subcommand(
      "classify",
      "给号码分类：依次导入各文件，按运营商写出 移动.txt、联通.txt、电信.txt、小灵通.txt、其他.txt，"
      "或用 --by 按归属地（再分运营商）写出 广东省.txt、广东省-深圳市-移动.txt 等");
  app->add_option("--out", options->outDir, "写出分类文件的文件夹（默认：当前文件夹）")->type_name("DIR");
  AddSeparatorOption(*app, options->separator);
  app->add_flag("--unique", options->unique, "每个号码只写出第一次出现");
  AddFormatOption(*app, options->format);
  AddNumberFormOptions(*app, options->form);
  AddClassifyByOption(*app, options->by);
  AddPrefixTableOption(*app, options->prefixes);
  AddAreaTableOption(*app, options->areas);
  AddInputOptions(*app, options->input);
  AddProgressOptions(*app, options->progress);
  app->add_option("FILE", options->files, "要导入的号码文件、工作簿（.xlsx）或 CSV 文件，- 为标准输入")
      ->type_name("FILE");
  return Command{app, [app, options] { return RunClassify(*app, *options); }};
}

}  // namespace zelvane::cli
