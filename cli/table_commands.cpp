#include "cli/table_commands.h"

#include <memory>

#include "cli/standard_output.h"
#include "cli/table_arguments.h"

namespace zelvane::cli {

namespace {

// A command that prints the text of the table its one argument names; resolve gives the table's text,
// or nothing with exit set.
template <class Resolve>
Command AddTableCommand(CLI::App& parent, const std::string& name, const std::string& help,
                        const std::string& argumentHelp, const std::string& typeName, Resolve resolve) {
  auto table = std::make_shared<std::string>();
  CLI::App* app = parent.add_subcommand(name, help);
  app->add_option("TABLE", *table, argumentHelp)->type_name(typeName);
  return Command{app, [app, table, resolve]() -> int {
                   int exit = kExitOk;
                   const std::optional<std::string> text = resolve(*app, *table, exit);
                   if (!text) return exit;
                   return WriteStandardOutput(*text);
                 }};
}

}  // namespace

Command AddPrefixesCommand(CLI::App& parent) {
  return AddTableCommand(
      parent, "prefixes",
      "显示号段表（每行“号段 类别”），可作为自己的号段表的起点：zelvane-cli prefixes current > 我的号段.txt",
      "original（原始号段，默认）、current（最新号段）或号段表文件", "TABLE",
      [](const CLI::App& app, const std::string& argument, int& exit) -> std::optional<std::string> {
        const std::optional<PrefixTable> table = ResolvePrefixTable(app, argument, exit);
        return table ? std::optional<std::string>(table->Text()) : std::nullopt;
      });
}

Command AddAreasCommand(CLI::App& parent) {
  return AddTableCommand(
      parent, "areas",
      "显示归属地表（每行“号段 省份 城市”），可作为自己的归属地表的起点：zelvane-cli areas > 我的归属地.txt",
      "builtin（内置，默认）或归属地表文件", "归属地表",
      [](const CLI::App& app, const std::string& argument, int& exit) -> std::optional<std::string> {
        std::optional<AreaTable> loaded;
        const AreaTable* table = ResolveAreaTable(app, argument, loaded, exit);
        return table ? std::optional<std::string>(table->Text()) : std::nullopt;
      });
}

}  // namespace zelvane::cli
