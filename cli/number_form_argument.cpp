#include "cli/number_form_argument.h"

namespace zelvane::cli {

void AddNumberFormOptions(CLI::App& app, NumberFormOptions& options) {
  app.add_option("--hash", options.hash,
                 "把每个号码写成它的 MD5 或 SHA-256（小写十六进制；手机号为 11 位，固话带 0 和区号），"
                 "不是号码的内容不写出。散列不等于匿名：全部号码几分钟就能算完")
      ->type_name("md5|sha256");
  app.add_flag("--mask", options.mask, "隐藏号码中间四位写出，如 138****8000；不是号码的内容不写出");
}

std::optional<NumberForm> ParseNumberForm(const NumberFormOptions& options, std::string& problem) {
  if (options.hash.empty()) return options.mask ? NumberForm::Masked : NumberForm::Plain;
  if (options.mask) {
    problem = "--hash 和 --mask 只能选一个";
    return std::nullopt;
  }
  const std::optional<NumberForm> named = FormNamed(options.hash);
  if (!named) {
    problem = "散列“" + options.hash + "”无效：应为 md5 或 sha256";
    return std::nullopt;
  }
  if (!FormAvailable(*named)) {
    problem = "这个系统的加密库不提供 " + options.hash + " 散列";
    return std::nullopt;
  }
  return named;
}

}  // namespace zelvane::cli
