#include "cli/prefix_table_argument.h"

#include "cli/usage.h"

namespace zelvane::cli {

CLI::Option* AddPrefixTableOption(CLI::App& app, std::string& argument) {
  return app
      .add_option("--prefixes", argument,
                  "号段表：original（原始号段，默认）、current（最新号段）或号段表文件（每行“号段 类别”）")
      ->type_name("TABLE");
}

std::optional<PrefixTable> ResolvePrefixTable(const CLI::App& app, const std::string& argument, int& exit) {
  if (argument.empty() || argument == "original") return PrefixTable::Original();
  if (argument == "current") return PrefixTable::Current();
  std::string text;
  if (FileResult error = ReadPrefixTableFile(PathFromText(argument), text)) {
    exit = FailureExit(error->Message());
    return std::nullopt;
  }
  PrefixTable::ParseError error;
  std::optional<PrefixTable> table = PrefixTable::Parse(text, error);
  if (!table) exit = UsageError(app, PrefixTableErrorMessage(PathFromText(argument), error));
  return table;
}

}  // namespace zelvane::cli
