#include "cli/input_arguments.h"

#include "core/file_error.h"
#include "core/platform/terminal.h"

namespace zelvane::cli {

void AddInputOptions(CLI::App& app, InputOptions& options) {
  app.add_option("--sheet", options.sheet, "读取工作簿（.xlsx）中的这个工作表：名称，或从 1 起的序号（默认：第一个）")
      ->type_name("SHEET");
  app.add_option("--column", options.column,
                 "只读表格（.xlsx、.csv）的这一列：列字母（B）、从 1 起的列号，或列标题（手机）（默认：所有单元格）")
      ->type_name("COL");
  app.add_flag("--extract", options.extract, "从文本文件的文字中找出号码（如“张三 138-0013-8000 深圳”）");
}

InputReading ReadingOf(const InputOptions& options) {
  InputReading reading;
  reading.sheet = options.sheet;
  reading.column = options.column;
  reading.extract = options.extract;
  reading.roundedCells = [](const std::filesystem::path& path, const RoundedCells& cells) {
    WriteToStandardError("zelvane-cli: “" + PathInMessage(path) + "”中有" + std::to_string(cells.count) +
                         "个单元格的号码已被 Excel 舍入成科学计数法（第一个是 " + cells.first +
                         "），位数已丢失，没有导入\n");
  };
  return reading;
}

}  // namespace zelvane::cli
