// zelvane-cli: sorts phone numbers by carrier and compares number files from the shell.

#include <iostream>
#include <vector>

#include "cli/classify_command.h"
#include "cli/compare_command.h"
#include "cli/usage.h"

int main(int argc, char** argv) {
  using namespace zelvane::cli;
  CLI::App app("Zelvane 命令行工具：按运营商给手机号码分类、比较号码文件", "zelvane-cli");
  UseChineseHelp(app);
  app.set_version_flag("--version", "zelvane-cli 1.0", "显示版本并退出");
  app.require_subcommand(1);
  const std::vector<Command> commands = {AddClassifyCommand(app), AddCompareCommand(app)};
  for (const Command& command : commands) {
    command.app->group("命令");
    command.app->get_help_ptr()->group("选项");
    command.app->formatter(app.get_formatter());
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::cout << (app.get_subcommands().empty() ? app.help() : app.get_subcommands().front()->help());
    return kExitOk;
  } catch (const CLI::CallForAllHelp&) {
    std::cout << app.help("", CLI::AppFormatMode::All);
    return kExitOk;
  } catch (const CLI::CallForVersion& version) {
    std::cout << version.what() << "\n";
    return kExitOk;
  } catch (const CLI::ParseError& error) {
    const CLI::App& failed = app.get_subcommands().empty() ? app : *app.get_subcommands().front();
    return UsageError(failed, TranslateParseError(error));
  }
  for (const Command& command : commands) {
    if (command.app->parsed()) return command.run();
  }
  return UsageError(app, "缺少命令");
}
