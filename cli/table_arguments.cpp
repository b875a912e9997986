#include "cli/table_arguments.h"

#include "cli/usage.h"
#include "core/file_error.h"

namespace zelvane::cli {

namespace {

// Loads the table file that argument names with load, or says why not.
template <class Table, class Load>
std::optional<Table> LoadTableArgument(const CLI::App& app, std::string_view kind, const std::string& argument,
                                       Load load, int& exit) {
  if (argument == "-") {
    exit = UsageError(app, std::string(kind) + "不能从标准输入（-）读取，请给出" + std::string(kind) + "文件");
    return std::nullopt;
  }
  TableLoadError error;
  std::optional<Table> table = load(PathFromText(argument), error);
  if (!table) exit = error.unreadable ? FailureExit(error.message) : UsageError(app, error.message);
  return table;
}

}  // namespace

CLI::Option* AddPrefixTableOption(CLI::App& app, std::string& argument) {
  return app
      .add_option("--prefixes", argument,
                  "号段表：original（原始号段，默认）、current（最新号段）或号段表文件（每行“号段 类别”）")
      ->type_name("TABLE");
}

CLI::Option* AddAreaTableOption(CLI::App& app, std::string& argument) {
  return app
      .add_option("--areas", argument, "归属地表：builtin（内置，默认）或归属地表文件（每行“号段 省份 城市”）")
      ->type_name("归属地表");
}

std::optional<PrefixTable> ResolvePrefixTable(const CLI::App& app, const std::string& argument, int& exit) {
  if (argument.empty() || argument == "original") return PrefixTable::Original();
  if (argument == "current") return PrefixTable::Current();
  return LoadTableArgument<PrefixTable>(app, "号段表", argument, LoadPrefixTable, exit);
}

const AreaTable* ResolveAreaTable(const CLI::App& app, const std::string& argument, std::optional<AreaTable>& loaded,
                                  int& exit) {
  if (argument.empty() || argument == "builtin") return &AreaTable::BuiltIn();
  loaded = LoadTableArgument<AreaTable>(app, "归属地表", argument, LoadAreaTable, exit);
  return loaded ? &*loaded : nullptr;
}

}  // namespace zelvane::cli
