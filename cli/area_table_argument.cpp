#include "cli/area_table_argument.h"

#include "cli/usage.h"

namespace zelvane::cli {

CLI::Option* AddAreaTableOption(CLI::App& app, std::string& argument) {
  return app
      .add_option("--areas", argument, "归属地表：builtin（内置，默认）或归属地表文件（每行“号段 省份 城市”）")
      ->type_name("归属地表");
}

const AreaTable* ResolveAreaTable(const CLI::App& app, const std::string& argument, std::optional<AreaTable>& loaded,
                                  int& exit) {
  if (argument.empty() || argument == "builtin") return &AreaTable::BuiltIn();
  std::string text;
  if (FileResult error = ReadAreaTableFile(PathFromText(argument), text)) {
    exit = FailureExit(error->Message());
    return nullptr;
  }
  AreaTable::ParseError error;
  loaded = AreaTable::Parse(text, error);
  if (!loaded) {
    exit = UsageError(app, AreaTableErrorMessage(PathFromText(argument), error));
    return nullptr;
  }
  return &*loaded;
}

}  // namespace zelvane::cli
