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
#include "ops/number_input.h"

namespace zelvane::cli {

namespace {

struct LookupOptions {
  std::string prefixes;
  std::string areas;
  std::vector<std::string> numbers;
  std::vector<std::string> from;
  InputOptions input;
};

// A line per number: the number as normalised, its category, province and city, separated by tabs.
class LookupPrinter {
 public:
  LookupPrinter(const PrefixTable& prefixes, const AreaTable& areas) : prefixes_(prefixes), areas_(areas) {}

  void Print(std::string_view token) {
    const std::string_view number = NormalizeNumber(token);
    const AreaTable::AreaId area = areas_.Lookup(number);
    out_.Write(number);
    out_.Write("\t");
    out_.Write(CategoryLabel(prefixes_.Classify(number)));
    out_.Write("\t");
    out_.Write(areas_.Province(area));
    out_.Write("\t");
    out_.Write(areas_.City(area));
    out_.Write("\n");
  }

  int Flush() { return out_.Flush(); }

 private:
  const PrefixTable& prefixes_;
  const AreaTable& areas_;
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

  LookupPrinter printer(*prefixes, *areas);
  const InputReading reading = ReadingOf(options.input);
  // A number longer than a number file's token is skipped, from a file as from an argument.
  std::uint64_t skipped = 0;
  const auto failed = [&](const FileError& error) {
    printer.Flush();
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
  const int written = StandardOutputExit(printer.Flush());
  if (skipped > 0) {
    WriteToStandardError("zelvane-cli: 跳过了" + std::to_string(skipped) + "个超过" + std::to_string(kMaxTokenLength) +
                         "个字节的号码\n");
  }
  return written;
}

}  // namespace

Command AddLookupCommand(CLI::App& parent) {
  auto options = std::make_shared<LookupOptions>();
  CLI::App* app = parent.add_subcommand(
      "lookup", "查询号码的运营商与归属地：每个号码一行，号码、类别、省份、城市，以制表符分隔；- 读标准输入中的号码");
  AddPrefixTableOption(*app, options->prefixes);
  AddAreaTableOption(*app, options->areas);
  app->add_option("--from", options->from, "查询这个文件中的号码：号码文件、工作簿（.xlsx）或 CSV 文件，可重复")
      ->type_name("FILE")
      ->allow_extra_args(false);
  AddInputOptions(*app, options->input);
  app->add_option("NUMBER", options->numbers, "号码，或 -（从标准输入读取号码）")->type_name("号码");
  return Command{app, [app, options]() { return RunLookup(*app, *options); }};
}

}  // namespace zelvane::cli
