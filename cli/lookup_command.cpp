#include "cli/lookup_command.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/input_arguments.h"
#include "cli/standard_output.h"
#include "cli/table_arguments.h"
#include "core/file_error.h"
#include "core/normalize_number.h"
#include "core/number_file_reader.h"
#include "core/number_scanner.h"
#include "core/platform/terminal.h"
#include "ops/atomic_file_writer.h"
#include "ops/cell_text.h"
#include "ops/number_input.h"
#include "ops/table_writer.h"

namespace zelvane::cli {

namespace {

struct LookupOptions {
  std::string prefixes;
  std::string areas;
  std::string format = "tsv";
  std::string out;
  std::vector<std::string> numbers;
  std::vector<std::string> from;
  InputOptions input;
};

// A row per number: the number as normalised, its category, province, city and area code (none for an
// unknown area). As tab-separated lines (the number as its bytes) to standard output or a file, or as a
// CSV file or workbook with the header 号码 / 运营商 / 省份 / 城市 / 区号 (the number in UTF-8, as
// AppendCellText has it).
class LookupPrinter {
 public:
  LookupPrinter(const PrefixTable& prefixes, const AreaTable& areas, const LookupOptions& options)
      : prefixes_(prefixes), areas_(areas), format_(options.format) {
    if (!options.out.empty()) file_.emplace(PathFromText(options.out));
  }

  FileResult Open() {
    if (!file_) return std::nullopt;
    if (FileResult error = file_->Open()) return error;
    if (format_ == "tsv") return std::nullopt;
    static constexpr TableColumn kColumns[] = {{"号码"}, {"运营商"}, {"省份"}, {"城市"}, {"区号"}};
    FileResult error;
    table_ = MakeTableWriter(*FormatNamed(format_), *file_, kColumns, error);
    return error;
  }

  void Print(std::string_view token) {
    const std::string_view number = NormalizeNumber(token);
    const AreaTable::AreaId area = areas_.Lookup(number);
    if (table_) {
      cell_.clear();
      AppendCellText(number, cell_);
    }
    const std::string_view cells[] = {table_ ? std::string_view(cell_) : number,
                                      CategoryLabel(prefixes_.Classify(number)), areas_.Province(area),
                                      areas_.City(area), areas_.AreaCode(area)};
    if (table_) {
      table_->AddRow(cells);
      return;
    }
    for (std::size_t i = 0; i < std::size(cells); ++i) {
      Write(cells[i]);
      Write(i + 1 < std::size(cells) ? "\t" : "\n");
    }
  }

  // On a failure: what went to standard output stays, a file begun is thrown away (never committed).
  void Abandon() {
    if (!file_) static_cast<void>(out_.Flush());
  }

  // The file written and replaced, or standard output written to its end.
  FileResult Finish() {
    if (table_) {
      if (FileResult error = table_->Finish()) return error;
    }
    if (file_) return file_->Commit();
    if (const int error = out_.Flush()) return MakeFileError(FileOperation::Write, "-", error);
    return std::nullopt;
  }

 private:
  void Write(std::string_view text) {
    if (file_) {
      file_->Write(text);
    } else {
      out_.Write(text);
    }
  }

  const PrefixTable& prefixes_;
  const AreaTable& areas_;
  std::string format_;
  std::optional<AtomicFileWriter> file_;
  std::unique_ptr<TableWriter> table_;
  std::string cell_;
  StandardOutputWriter out_;
};

// Prints the numbers of an input (standard input, "-", included) as classify reads them; skipped counts
// the runs too long to be numbers.
FileResult PrintNumbersOf(const std::filesystem::path& path, const InputReading& reading, LookupPrinter& printer,
                          std::uint64_t& skipped) {
  NumberScanner scanner;
  const auto print = [&printer](std::string_view token) { printer.Print(token); };
  FileResult error =
      ReadInput(path, InputKinds::AnyStream, reading, [&](std::string_view piece) { scanner.Feed(piece, print); });
  if (error) return error;
  scanner.Finish(print);
  skipped += scanner.LongRuns();
  return std::nullopt;
}

int RunLookup(const CLI::App& app, const LookupOptions& options) {
  if (options.numbers.empty() && options.from.empty()) return UsageError(app, "缺少要查询的号码");
  int exit = kExitOk;
  const std::optional<PrefixTable> prefixes = ResolvePrefixTable(app, options.prefixes, exit);
  if (!prefixes) return exit;
  std::optional<AreaTable> loaded;
  const AreaTable* areas = ResolveAreaTable(app, options.areas, loaded, exit);
  if (!areas) return exit;

  if (options.format != "tsv" && options.format != "csv" && options.format != "xlsx") {
    return UsageError(app, "表的格式“" + options.format + "”无效：应为 tsv、csv 或 xlsx");
  }
  if (options.format != "tsv" && options.out.empty()) {
    return UsageError(app, "csv 和 xlsx 格式的表只能写入文件，请用 --out FILE 指定");
  }
  LookupPrinter printer(*prefixes, *areas, options);
  if (FileResult error = printer.Open()) return FailureExit(error->Message());
  const InputReading reading = ReadingOf(options.input);
  // A number longer than a number file's token is skipped, from a file as from an argument.
  std::uint64_t skipped = 0;
  const auto failed = [&](const FileError& error) {
    printer.Abandon();
    return error.usage ? UsageError(app, error.Message()) : FailureExit(error.Message());
  };
  for (const std::string& file : options.from) {
    if (FileResult error = PrintNumbersOf(PathFromText(file), reading, printer, skipped)) return failed(*error);
  }
  for (const std::string& argument : options.numbers) {
    if (argument == kStandardInput.string()) {
      if (FileResult error = PrintNumbersOf(kStandardInput, reading, printer, skipped)) return failed(*error);
    } else if (argument.size() > kMaxTokenLength) {
      ++skipped;
    } else {
      printer.Print(argument);
    }
  }
  const FileResult finished = printer.Finish();
  if (skipped > 0) {
    WriteToStandardError("zelvane-cli: 跳过了" + std::to_string(skipped) + "个超过" + std::to_string(kMaxTokenLength) +
                         "个字节的号码\n");
  }
  return finished ? FailureExit(finished->Message()) : kExitOk;
}

}  // namespace

Command AddLookupCommand(CLI::App& parent) {
  auto options = std::make_shared<LookupOptions>();
  CLI::App* app = parent.add_subcommand(
      "lookup",
      "查询号码的运营商与归属地：每个号码一行，号码、类别、省份、城市、区号，以制表符分隔；- 读标准输入中的号码");
  AddPrefixTableOption(*app, options->prefixes);
  AddAreaTableOption(*app, options->areas);
  app->add_option("--from", options->from, "查询这个文件中的号码：号码文件、工作簿（.xlsx）或 CSV 文件，可重复")
      ->type_name("FILE")
      ->allow_extra_args(false);
  AddInputOptions(*app, options->input);
  app->add_option("--format", options->format,
                  "表的格式：tsv（制表符分隔，默认）、csv 或 xlsx，标题为 号码、运营商、省份、城市、区号")
      ->type_name("tsv|csv|xlsx");
  app->add_option("--out", options->out, "把表写入这个文件（默认：标准输出）")->type_name("FILE");
  app->add_option("NUMBER", options->numbers, "号码，或 -（从标准输入读取号码）")->type_name("号码");
  return Command{app, [app, options]() { return RunLookup(*app, *options); }};
}

}  // namespace zelvane::cli
