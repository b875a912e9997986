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

std::string TranslateParseError(const CLI::ParseError& error) {
  const std::string text = error.what();
  const auto after = [&text](std::string_view prefix) { return text.substr(prefix.size()); };
  for (std::string_view prefix :
       {"The following argument was not expected: ", "The following arguments were not expected: "}) {
    if (text.starts_with(prefix)) return "无法识别的参数：" + after(prefix);
  }
  if (text == "A subcommand is required") return "缺少命令（classify 或 compare）";
  if (text.ends_with(" is required")) return "缺少必填的参数 " + text.substr(0, text.size() - 12);
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) return "选项缺少取值（" + text + "）";
  return text;
}

int FailureExit(const std::string& message) {
  std::cerr << "zelvane-cli: " << message << "\n";
  return kExitFileError;
}

int UsageError(const CLI::App& app, const std::string& message) {
  std::cerr << "参数错误：" << message << "\n\n" << app.help();
  return kExitUsage;
}

}  // namespace zelvane::cli
