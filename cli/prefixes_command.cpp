#include "cli/prefixes_command.h"

#include <memory>

#include "cli/prefix_table_argument.h"
#include "core/file_error.h"
#include "core/platform/files.h"
#include "core/platform/terminal.h"

namespace zelvane::cli {

Command AddPrefixesCommand(CLI::App& parent) {
  auto table = std::make_shared<std::string>();
  CLI::App* app = parent.add_subcommand(
      "prefixes",
      "显示号段表（每行“号段 类别”），可作为自己的号段表的起点：zelvane-cli prefixes current > 我的号段.txt");
  app->add_option("TABLE", *table, "original（原始号段，默认）、current（最新号段）或号段表文件")->type_name("TABLE");
  return Command{app, [app, table]() -> int {
                   int exit = kExitOk;
                   const std::optional<PrefixTable> resolved = ResolvePrefixTable(*app, *table, exit);
                   if (!resolved) return exit;
                   if (const int error = WriteTextToStandardOutput(resolved->Text())) {
                     return FailureExit("无法写入标准输出：" + SystemErrorReason(error));
                   }
                   return kExitOk;
                 }};
}

}  // namespace zelvane::cli
