#include "cli/command_line.h"

#include <new>

#include "cli/classify_command.h"
#include "cli/compare_command.h"
#include "cli/lookup_command.h"
#include "cli/report_command.h"
#include "cli/standard_output.h"
#include "cli/table_commands.h"

namespace zelvane::cli {

CommandLine::CommandLine() : app_("Zelvane 命令行工具：按运营商给手机号码分类、比较号码文件", "zelvane-cli") {
  UseChineseHelp(app_);
  app_.set_version_flag("--version", "zelvane-cli 1.0", "显示版本并退出");
  commands_ = {AddClassifyCommand(app_), AddCompareCommand(app_), AddPrefixesCommand(app_), AddLookupCommand(app_),
               AddAreasCommand(app_), AddReportCommand(app_)};
  for (const Command& command : commands_) {
    command.app->group("命令");
    command.app->get_help_ptr()->group("选项");
    command.app->formatter(app_.get_formatter());
  }
}

const CLI::App* CommandLine::Chosen() const {
  const std::vector<CLI::App*> chosen = app_.get_subcommands();
  return chosen.empty() ? nullptr : chosen.front();
}

std::optional<int> CommandLine::Parse(int argc, const char* const* argv) {
  try {
    app_.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    return WriteStandardOutput(Chosen() ? Chosen()->help() : app_.help());
  } catch (const CLI::CallForAllHelp&) {
    return WriteStandardOutput(app_.help("", CLI::AppFormatMode::All));
  } catch (const CLI::CallForVersion& version) {
    return WriteStandardOutput(std::string(version.what()) + "\n");
  } catch (const CLI::ParseError& error) {
    return UsageError(Chosen() ? *Chosen() : app_, TranslateParseError(error, app_, Chosen()));
  }
  // "--out ''" names no folder or file: no option quietly takes its default for an empty value.
  if (const CLI::App* chosen = Chosen()) {
    for (const CLI::Option* option : chosen->get_options()) {
      if (!option->nonpositional() || option->get_type_size() == 0 || option->count() == 0) continue;
      for (const std::string& value : option->results()) {
        if (value.empty()) return UsageError(*chosen, "选项 " + option->get_name() + " 的取值不能为空");
      }
    }
  }
  return std::nullopt;
}

int CommandLine::Run() const {
  for (const Command& command : commands_) {
    if (!command.app->parsed()) continue;
    try {
      return command.run();
    } catch (const std::bad_alloc&) {
      // The commands report running out of memory with the file they were at; this is the rest.
      return FailureExit("内存不足，无法完成 " + command.app->get_name());
    }
  }
  return UsageError(app_, "缺少命令（classify、compare、lookup、areas 或 prefixes）");
}

}  // namespace zelvane::cli
