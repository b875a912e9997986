#include "cli/compare_command.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/format_argument.h"
#include "cli/input_arguments.h"
#include "cli/memory_size_argument.h"
#include "cli/number_form_argument.h"
#include "cli/separator_argument.h"
#include "cli/standard_output.h"
#include "cli/terminal_progress.h"
#include "core/platform/files.h"
#include "core/platform/terminal.h"
#include "ops/hashed_comparison.h"
#include "ops/number_comparison.h"
#include "ops/number_file_writer.h"
#include "ops/number_output.h"

namespace zelvane::cli {

namespace {

struct CompareOptions {
  bool same = false;
  bool different = false;
  bool unique = false;
  std::string out;
  std::string format;
  NumberFormOptions form;
  std::string separator;
  std::string memory;
  std::string temporaryFolder;
  std::string hashed;
  std::string file1;
  std::string file2;
  CLI::Option* file1Option = nullptr;
  CLI::Option* file2Option = nullptr;
  InputOptions input;
  ProgressOptions progress;
};

// Where the listed numbers go as they come: a file in its style replaced whole, or standard output
// (each number, or its hashed or masked form, followed by the separator).
class ResultOutput {
 public:
  ResultOutput(const std::string& out, NumberFileStyle style, std::string_view separator)
      : style_(style), separator_(separator) {
    if (!out.empty()) file_.emplace(PathFromText(out));
    if (out.empty() && style.form != NumberForm::Plain) formed_.emplace(style.form);
  }

  FileResult Open() {
    if (!file_) return std::nullopt;
    if (FileResult error = file_->Open()) return error;
    return numbers_.emplace(style_, *file_, separator_).Begin();
  }

  void Write(std::string_view number) {
    ++found_;
    if (numbers_) return numbers_->Add(number);
    if (formed_) return formed_->Add(number, [this](std::string_view text) { WriteOut(text); });
    WriteOut(number);
  }

  // The file written and replaced, or standard output written to its end; "-" stands for standard output.
  FileResult Finish() {
    if (numbers_) {
      if (FileResult error = numbers_->End()) return error;
      return file_->Commit();
    }
    if (formed_) formed_->Finish([this](std::string_view text) { WriteOut(text); });
    if (const int error = standardOutput_.Flush()) return MakeFileError(FileOperation::Write, "-", error);
    return std::nullopt;
  }

  std::uint64_t found() const { return found_; }
  NumberOutputCounts written() const {
    if (numbers_) return numbers_->counts();
    return {0, formed_ ? formed_->leftOut() : 0};
  }

 private:
  void WriteOut(std::string_view text) {
    standardOutput_.Write(text);
    standardOutput_.Write(separator_);
  }

  NumberFileStyle style_;
  std::string separator_;
  std::optional<AtomicFileWriter> file_;
  std::optional<NumberOutput> numbers_;
  std::optional<FormedNumbers> formed_;  // the form of what goes to standard output
  StandardOutputWriter standardOutput_;
  std::uint64_t found_ = 0;
};

// The --format given, else the one --out's extension names, else text.
std::optional<NumberFileFormat> ResultFormat(const CompareOptions& options, std::string& problem) {
  const NumberFileFormat byName =
      options.out.empty() ? NumberFileFormat::Text : FormatOfPath(PathFromText(options.out));
  return ParseFormatArgument(options.format, byName, problem);
}

int RunCompare(const CLI::App& app, const CompareOptions& options) {
  // Extra arguments are taken here, so that too many files are counted rather than refused one by one.
  std::vector<std::string> extras;
  std::string unknown;
  for (const std::string& extra : app.remaining()) {
    if (extra == "--") continue;
    if (extra.size() > 1 && extra[0] == '-') unknown += (unknown.empty() ? "" : " ") + extra;
    extras.push_back(extra);
  }
  if (!unknown.empty()) return UsageError(app, "无法识别的参数：" + unknown);
  if (options.same == options.different) {
    return UsageError(app, "请指定 --same（找相同）或 --different（找不同）中的一个");
  }
  const std::size_t files = options.file1Option->count() + options.file2Option->count() + extras.size();
  if (files != 2) return UsageError(app, "需要两个号码文件，实际给出了" + std::to_string(files) + "个");
  if (options.file1 == "-" && options.file2 == "-") return UsageError(app, "标准输入（-）只能是两个文件中的一个");
  std::string problem;
  const std::optional<std::string> separator = ParseSeparatorArgument(options.separator, problem);
  if (!separator) return UsageError(app, problem);
  ComparisonSettings settings;
  settings.mode = options.same ? ComparisonMode::FindSame : ComparisonMode::FindDifferent;
  settings.unique = options.unique;
  settings.inputs = InputKinds::AnyStream;
  settings.reading = ReadingOf(options.input);
  settings.temporaryFolder = PathFromText(options.temporaryFolder);
  if (!options.memory.empty()) {
    const std::optional<std::uint64_t> memory = ParseMemorySize(options.memory);
    if (!memory) return UsageError(app, "内存大小“" + options.memory + "”无效：应为正整数，可加 K、M 或 G，如 256M");
    settings.memoryBudget = *memory;
  }

  if (options.hashed == "md5" || options.hashed == "sha256") {
    settings.hashed = options.hashed == "md5" ? DigestKind::Md5 : DigestKind::Sha256;
  } else if (!options.hashed.empty()) {
    return UsageError(app, "--hashed 的值“" + options.hashed + "”无效：应为 md5 或 sha256");
  }
  ComparisonOutcome outcome;
  settings.outcome = &outcome;

  const std::optional<NumberFileFormat> format = ResultFormat(options, problem);
  if (!format) return UsageError(app, problem);
  if (*format != NumberFileFormat::Text && options.out.empty()) {
    return UsageError(app, "csv 和 xlsx 格式的结果只能写入文件，请用 --out FILE 指定");
  }
  const std::optional<NumberForm> form = ParseNumberForm(options.form, problem);
  if (!form) return UsageError(app, problem);
  ResultOutput output(options.out, {*format, *form}, *separator);
  if (FileResult error = output.Open()) return FailureExit(error->Message());
  // Numbers going to the terminal would be torn by the line, unless it was asked for.
  ProgressOptions progressShown = options.progress;
  if (options.out.empty() && IsTerminal(1)) progressShown.quiet = true;
  TerminalProgress terminal("compare", progressShown);
  settings.progress = &terminal.Progress();
  FileResult error = CompareFiles(PathFromText(options.file1), PathFromText(options.file2), settings,
                                  [&output](std::string_view number) { output.Write(number); });
  if (!error) error = output.Finish();
  terminal.Clear();
  if (error && error->usage) return UsageError(app, error->path.empty() ? error->reason : error->Message());
  if (error) return FailureExit(error->Message());
  if (!options.progress.quiet) {
    std::cerr << FoundNumbersText(settings.mode, output.found(), CountForm::Digits) << "\n";
    if (outcome.hashedList) {
      const bool firstListed = outcome.listedFile == 1;
      std::cerr << HashedComparisonText(outcome, firstListed ? options.file1 : options.file2,
                                        firstListed ? options.file2 : options.file1, CountForm::Digits)
                << "\n";
    }
    std::cerr << WrittenNumbersText(output.written());
  }
  return kExitOk;
}

}  // namespace

Command AddCompareCommand(CLI::App& parent) {
  auto options = std::make_shared<CompareOptions>();
  CLI::App* app = parent.add_subcommand(
      "compare",
      "比较两个号码文件：列出较大的文件（大小相同时为 FILE1）中在另一个文件里出现或没有出现的号码；"
      "一个是散列值列表时，列出另一个文件中散列值在或不在列表里的号码");
  app->add_flag("--same", options->same, "找相同：列出在另一个文件中出现的号码");
  app->add_flag("--different", options->different, "找不同：列出在另一个文件中没有出现的号码");
  app->add_option("--out", options->out, "把结果写入这个文件，格式按扩展名 .csv、.xlsx（默认：标准输出）")
      ->type_name("FILE");
  AddFormatOption(*app, options->format);
  AddNumberFormOptions(*app, options->form);
  AddSeparatorOption(*app, options->separator);
  app->add_flag("--unique", options->unique, "每个号码只写出第一次出现");
  app->add_option("--memory", options->memory,
                  "内存上限，可加 K、M、G，如 256M；放不下的部分写入临时文件（默认：可用内存的四分之三）")
      ->type_name("SIZE");
  app->add_option("--temp-dir", options->temporaryFolder, "临时文件所在的文件夹（默认：$TMPDIR，否则 /tmp）")
      ->type_name("DIR");
  app->add_option("--hashed", options->hashed,
                  "把全是这种散列值（md5：32位十六进制数，sha256：64位）的那个文件当作散列值列表，"
                  "列出另一个文件中号码的散列值在或不在其中的号码（默认：含字母 a-f 的散列值列表自动认出）")
      ->type_name("md5|sha256");
  AddInputOptions(*app, options->input);
  AddProgressOptions(*app, options->progress);
  options->file1Option = app->add_option("FILE1", options->file1, "第一个号码文件，- 为标准输入")->type_name("FILE");
  options->file2Option = app->add_option("FILE2", options->file2, "第二个号码文件，- 为标准输入")->type_name("FILE");
  app->allow_extras();
  return Command{app, [app, options] { return RunCompare(*app, *options); }};
}

}  // namespace zelvane::cli
