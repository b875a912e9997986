#include "cli/report_command.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/standard_output.h"
#include "cli/table_arguments.h"
#include "cli/terminal_progress.h"
#include "core/first_occurrences.h"
#include "core/platform/interrupts.h"
#include "core/platform/terminal.h"
#include "ops/classify_inputs.h"
#include "ops/list_report.h"

namespace zelvane::cli {

namespace {

struct ReportOptions {
  std::string by = "province";
  std::string prefixes;
  std::string areas;
  std::string out;
  std::vector<std::string> files;
  ProgressOptions progress;
};

int RunReport(const CLI::App& app, const ReportOptions& options) {
  if (options.files.empty()) return UsageError(app, "缺少要统计的号码文件");
  int exit = kExitOk;
  const std::optional<PrefixTable> table = ResolvePrefixTable(app, options.prefixes, exit);
  if (!table) return exit;
  std::optional<AreaTable> loaded;
  const AreaTable* areas = ResolveAreaTable(app, options.areas, loaded, exit);
  if (!areas) return exit;
  const ReportLevel level = options.by == "city" ? ReportLevel::City : ReportLevel::Province;

  std::stop_source stop;
  InterruptsAsStop interrupts(stop);
  TerminalProgress terminal("report", options.progress, stop.get_token());
  ClassifyJob job;
  for (const std::string& file : options.files) job.inputs.push_back(PathFromText(file));
  job.table = &*table;
  job.progress = &terminal.Progress();
  AreaCategoryCounts counts(*areas);
  FirstOccurrences firsts;
  ReportSummary summary;
  const FileResult error = ForEachNumberOfJob(job, [&](std::string_view number, NumberCategory category) {
    const AreaTable::AreaId area = areas->Lookup(number);
    counts.Add(area, category);
    ++summary.numbers;
    summary.distinct += firsts.Admit(number) ? 1 : 0;
  });
  terminal.Clear();
  if (WasCancelled(error) && interrupts.Caught()) interrupts.EndAsInterrupted();
  if (error) return FailureExit(error->Message());
  summary.unknownArea = counts.Count(AreaTable::kUnknown);

  const std::vector<ReportRow> rows = counts.Rows(level);
  if (options.out.empty() || options.out == kStandardInput.string()) {
    if (const int written = WriteStandardOutput(ReportTableText(rows, level, '\t'))) return written;
  } else if (const FileResult written = WriteReportTable(PathFromText(options.out), rows, level)) {
    return FailureExit(written->Message());
  }
  if (!options.progress.quiet) WriteToStandardError(ReportSummaryText(summary) + "\n");
  return kExitOk;
}

}  // namespace

Command AddReportCommand(CLI::App& parent) {
  auto options = std::make_shared<ReportOptions>();
  CLI::App* app =
      parent.add_subcommand("report",
                            "统计号码：按省份或城市与运营商计数，每个地区一行（最多的在前），最后一行为合计；"
                            "号码总数、不同的号码、重复与未知地区写到标准错误");
  app->add_option("--by", options->by, "province（按省份，默认）或 city（按城市，带区号）")
      ->check(CLI::IsMember({"province", "city"}))
      ->type_name("province|city");
  AddPrefixTableOption(*app, options->prefixes);
  AddAreaTableOption(*app, options->areas);
  app->add_option("--out", options->out, "把表写入这个文件（默认：标准输出）")->type_name("FILE");
  AddProgressOptions(*app, options->progress);
  app->add_option("FILE", options->files, "要统计的号码文件，- 为标准输入")->type_name("FILE");
  return Command{app, [app, options] { return RunReport(*app, *options); }};
}

}  // namespace zelvane::cli
