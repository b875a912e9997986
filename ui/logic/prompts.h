#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

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

// The caption of every message box and question.
inline constexpr std::string_view kMessageCaption = "提示";

// What waits for the user's answer in any window: the file and folder prompts, a message, a question.
// Each toolkit answers them once for all its windows; tests answer them from a script. Text is UTF-8.
class Prompts {
 public:
  virtual ~Prompts() = default;

  // A file to read, a folder; nothing when the user cancels.
  virtual std::optional<std::filesystem::path> ChooseOpenFile(const FilePrompt& prompt) = 0;
  // Files to read, one or several, in the order the prompt gives them; none when the user cancels.
  virtual std::vector<std::filesystem::path> ChooseOpenFiles(const FilePrompt& prompt) = 0;
  // The file to write and the filter chosen; a name typed without a suffix gets that of the filter chosen
  // (its first pattern's), or the prompt's when the filter names none.
  virtual std::optional<SavedFile> ChooseSaveFile(const FilePrompt& prompt) = 0;
  virtual std::optional<std::filesystem::path> ChooseFolder(std::string_view title) = 0;
  // A message box captioned "提示" with OK only; returns once the user closed it.
  virtual void ShowMessage(std::string_view text) = 0;
  // A question captioned "提示" with 是 and 否, 否 the default; true for 是 (Esc and the close box: 否).
  virtual bool AskYesNo(std::string_view question) = 0;
};

inline constexpr FilePrompt kImportPrompt{
    "选择要导入的号码文件",
    "号码文件(*.txt *.csv *.xlsx *.xlsm);;文本文件(*.txt);;CSV 文件(*.csv);;Excel 工作簿(*.xlsx *.xlsm)", ""};
inline constexpr FilePrompt kPrefixTablePrompt{"选择号段表文件", "文本文件(*.txt)", ""};
inline constexpr FilePrompt kAreaTablePrompt{"选择归属地表文件", "文本文件(*.txt)", ""};

}  // namespace zelvane
