#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace zelvane {

// What a prompt for a file asks: its title, its filter ("文本文件(*.txt)") and, for a file to write,
// the suffix added to a name typed without one. UTF-8.
struct FilePrompt {
  std::string_view title;
  std::string_view filter;
  std::string_view defaultSuffix;
};

// The save prompt's answer: the file, and the filter that was chosen (from 0, in the prompt's order).
struct SavedFile {
  std::filesystem::path path;
  std::size_t filter = 0;
  friend bool operator==(const SavedFile&, const SavedFile&) = default;
};

inline constexpr FilePrompt kImportPrompt{
    "选择要导入的号码文件",
    "号码文件(*.txt *.csv *.xlsx *.xlsm);;文本文件(*.txt);;CSV 文件(*.csv);;Excel 工作簿(*.xlsx *.xlsm)", ""};
inline constexpr FilePrompt kPrefixTablePrompt{"选择号段表文件", "文本文件(*.txt)", ""};
inline constexpr FilePrompt kAreaTablePrompt{"选择归属地表文件", "文本文件(*.txt)", ""};

}  // namespace zelvane
