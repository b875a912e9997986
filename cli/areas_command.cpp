#include "cli/areas_command.h"

#include <memory>

#include "cli/area_table_argument.h"
#include "core/file_error.h"
#include "core/platform/files.h"
#include "core/platform/terminal.h"

namespace zelvane::cli {

Command AddAreasCommand(CLI::App& parent) {
  auto table = std::make_shared<std::string>();
  CLI::App* app = parent.add_subcommand(
      "areas", "显示归属地表（每行“号段 省份 城市”），可作为自己的归属地表的起点：zelvane-cli areas > 我的归属地.txt");
  app->add_option("TABLE", *table, "builtin（内置，默认）或归属地表文件")->type_name("归属地表");
  return Command{app, [app, table]() -> int {
                   int exit = kExitOk;
                   std::optional<AreaTable> loaded;
                   const AreaTable* resolved = ResolveAreaTable(*app, *table, loaded, exit);
                   if (!resolved) return exit;
                   if (const int error = WriteTextToStandardOutput(resolved->Text())) {
                     return FailureExit("无法写入标准输出：" + SystemErrorReason(error));
                   }
                   return kExitOk;
                 }};
}

}  // namespace zelvane::cli
