#include "cli/usage.h"

#include <iostream>

namespace zelvane::cli {

void UseChineseHelp(CLI::App& app) {
  auto formatter = std::make_shared<CLI::Formatter>();
  formatter->label("Usage", "用法");
  formatter->label("OPTIONS", "选项");
  formatter->label("Options", "选项");
  formatter->label("Positionals", "参数");
  formatter->label("SUBCOMMAND", "命令");
  formatter->label("SUBCOMMANDS", "命令");
  formatter->label("Subcommands", "命令");
  formatter->label("REQUIRED", "必填");
  formatter->label("Excludes", "不能与之同用");
  formatter->label("TEXT", "文本");
  formatter->label("DIR", "文件夹");
  formatter->label("FILE", "文件");
  formatter->label("SEP", "分隔符");
  formatter->column_width(28);
  app.formatter(formatter);
  app.option_defaults()->group("选项");
  app.set_help_flag("-h,--help", "显示本帮助并退出");
}

int UsageError(const CLI::App& app, const std::string& message) {
  std::cerr << "参数错误：" << message << "\n\n" << app.help();
  return kExitUsage;
}

}  // namespace zelvane::cli
