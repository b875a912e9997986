#include "cli/separator_argument.h"

#include "core/platform/terminal.h"
#include "core/text_encoding.h"
#include "ops/number_file_writer.h"

namespace zelvane::cli {

namespace {

std::optional<std::string> ResolveEscapes(std::string_view argument, std::string& error) {
  std::string text;
  for (std::size_t i = 0; i < argument.size(); ++i) {
    if (argument[i] != '\\') {
      text.push_back(argument[i]);
      continue;
    }
    if (++i == argument.size()) {
      error = "分隔符以单独的反斜杠结尾（反斜杠本身请写作 \\\\）";
      return std::nullopt;
    }
    switch (argument[i]) {
      case 'r': text.push_back('\r'); break;
      case 'n': text.push_back('\n'); break;
      case 't': text.push_back('\t'); break;
      case '\\': text.push_back('\\'); break;
      default:
        error = std::string("分隔符中有不支持的转义 \\") + argument[i] + "（只支持 \\r \\n \\t \\\\）";
        return std::nullopt;
    }
  }
  return text;
}

}  // namespace

CLI::Option* AddSeparatorOption(CLI::App& app, std::string& separator) {
  return app
      .add_option("--separator", separator,
                  "每个号码后的分隔符，可用转义 \\r \\n \\t \\\\（默认：回车换行；管道中常用 --separator '\\n'）")
      ->type_name("SEP");
}

std::string TerminalCharset() {
  const std::string charset = ArgumentCharset();
  return charset == "ANSI_X3.4-1968" || charset.empty() ? "UTF-8" : charset;
}

std::optional<std::string> ParseSeparatorArgument(std::string_view argument, std::string& error) {
  std::optional<std::string> text = ResolveEscapes(argument, error);
  if (!text) return std::nullopt;
  if (text->empty()) return std::string(kDefaultSeparator);
  std::optional<std::string> gbk = EncodeGbk(*text, TerminalCharset().c_str());
  if (!gbk) error = "分隔符中有无法用 GBK 编码表示的字符";
  return gbk;
}

}  // namespace zelvane::cli
