#pragma once

#include <string_view>

namespace zelvane {

// What a prompt for a file asks: its title, its filter ("文本文件(*.txt)") and, for a file to write,
// the suffix added to a name typed without one. UTF-8.
struct FilePrompt {
  std::string_view title;
  std::string_view filter;
  std::string_view defaultSuffix;
};

inline constexpr FilePrompt kImportPrompt{
    "选择要导入的号码文件",
    "号码文件(*.txt *.csv *.xlsx *.xlsm);;文本文件(*.txt);;CSV 文件(*.csv);;Excel 工作簿(*.xlsx *.xlsm)", ""};
inline constexpr FilePrompt kPrefixTablePrompt{"选择号段表文件", "文本文件(*.txt)", ""};
inline constexpr FilePrompt kAreaTablePrompt{"选择归属地表文件", "文本文件(*.txt)", ""};

}  // namespace zelvane
