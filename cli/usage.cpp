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
  formatter->label("SIZE", "大小");
  formatter->label("TABLE", "号段表");
  formatter->label("SHEET", "工作表");
  formatter->label("COL", "列");
  formatter->column_width(30);
  app.formatter(formatter);
  app.option_defaults()->group("选项");
  app.set_help_flag("-h,--help", "显示本帮助并退出");
}

std::string TranslateParseError(const CLI::ParseError& error, const CLI::App& app, const CLI::App* chosen) {
  if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
    const std::vector<std::string> extras = (chosen ? *chosen : app).remaining();
    std::string listed;
    for (const std::string& extra : extras) listed += (listed.empty() ? "" : " ") + extra;
    if (chosen == nullptr && !extras.empty() && !extras.front().starts_with('-'))
      return "未知的命令：" + extras.front();
    return "无法识别的参数：" + listed;
  }
  const std::string text = error.what();
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
    // CLI11 names the option before the first colon; "At Most" follows when it was given more than once.
    const std::string option = text.substr(0, text.find(':'));
    if (text.find("At Most") != std::string::npos) return "选项 " + option + " 只能给出一次";
    return "选项 " + option + " 缺少取值";
  }
  return text;
}

int FailureExit(const std::string& message) {
  std::cerr << "zelvane-cli: " << message << "\n";
  return kExitFileError;
}

int UsageError(const CLI::App& app, const std::string& message) {
  const CLI::App* parent = app.get_parent();
  const std::string command = parent ? parent->get_name() + " " + app.get_name() : app.get_name();
  std::cerr << "zelvane-cli: " << message << "\n请用“" << command << " --help”查看用法。\n";
  return kExitUsage;
}

}  // namespace zelvane::cli
