#include "cli/lookup_command.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/area_table_argument.h"
#include "cli/prefix_table_argument.h"
#include "core/file_error.h"
#include "core/normalize_number.h"
#include "core/number_file_reader.h"
#include "core/number_scanner.h"
#include "core/platform/files.h"
#include "core/platform/terminal.h"

namespace zelvane::cli {

namespace {

struct LookupOptions {
  std::string prefixes;
  std::string areas;
  std::vector<std::string> numbers;
};

// Lines go out in large writes: standard input may hold millions of numbers.
class LookupPrinter {
 public:
  LookupPrinter(const PrefixTable& prefixes, const AreaTable& areas) : prefixes_(prefixes), areas_(areas) {}

  void Print(std::string_view token) {
    const std::string_view number = NormalizeNumber(token);
    const AreaTable::AreaId area = areas_.Lookup(number);
    out_.append(number).append("\t").append(CategoryLabel(prefixes_.Classify(number))).append("\t");
    out_.append(areas_.Province(area)).append("\t").append(areas_.City(area)).append("\n");
    if (out_.size() >= kFlushSize) Flush();
  }

  // 0, or the errno of a failed write; after one, nothing more is written.
  int Flush() {
    if (error_ == 0) error_ = WriteTextToStandardOutput(out_);
    out_.clear();
    return error_;
  }

 private:
  static constexpr std::size_t kFlushSize = std::size_t{1} << 20;

  const PrefixTable& prefixes_;
  const AreaTable& areas_;
  std::string out_;
  int error_ = 0;
};

int RunLookup(const CLI::App& app, const LookupOptions& options) {
  if (options.numbers.empty()) return UsageError(app, "缺少要查询的号码");
  int exit = kExitOk;
  const std::optional<PrefixTable> prefixes = ResolvePrefixTable(app, options.prefixes, exit);
  if (!prefixes) return exit;
  std::optional<AreaTable> loaded;
  const AreaTable* areas = ResolveAreaTable(app, options.areas, loaded, exit);
  if (!areas) return exit;

  LookupPrinter printer(*prefixes, *areas);
  for (const std::string& argument : options.numbers) {
    if (argument != kStandardInput.string()) {
      printer.Print(argument);
      continue;
    }
    NumberFile input;
    NumberScanner scanner;
    const auto print = [&printer](std::string_view token) { printer.Print(token); };
    FileResult error = input.Open(kStandardInput, InputKinds::AnyStream);
    if (!error) error = input.Read([&](std::string_view piece) { scanner.Feed(piece, print); });
    if (error) {
      printer.Flush();
      return FailureExit(error->Message());
    }
    scanner.Finish(print);
  }
  if (const int error = printer.Flush()) return FailureExit("无法写入标准输出：" + SystemErrorReason(error));
  return kExitOk;
}

}  // namespace

Command AddLookupCommand(CLI::App& parent) {
  auto options = std::make_shared<LookupOptions>();
  CLI::App* app = parent.add_subcommand(
      "lookup", "查询号码的运营商与归属地：每个号码一行，号码、类别、省份、城市，以制表符分隔；- 读标准输入中的号码");
  AddPrefixTableOption(*app, options->prefixes);
  AddAreaTableOption(*app, options->areas);
  app->add_option("NUMBER", options->numbers, "号码，或 -（从标准输入读取号码）")->type_name("号码");
  return Command{app, [app, options]() { return RunLookup(*app, *options); }};
}

}  // namespace zelvane::cli
