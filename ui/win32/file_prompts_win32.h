#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "ui/logic/main_window_view.h"

namespace zelvane::win32 {

// Windows' own prompts for a file to read, a file to write (asking before it replaces one) and a folder;
// nothing when the user cancels. Paths are wide: any folder name works. Each opens in the folder last
// used in one, in this run or an earlier one, as kept in settings (RememberedChoices::PromptFolder).
std::optional<std::filesystem::path> ChooseOpenFile(HWND owner, const FilePrompt& prompt, SettingsStore& settings);
// One or several files to read, in the order the prompt gives them; none when the user cancels.
std::vector<std::filesystem::path> ChooseOpenFiles(HWND owner, const FilePrompt& prompt, SettingsStore& settings);
// The file to write and the filter chosen in the prompt, from 0.
std::optional<SavedFile> ChooseSaveFile(HWND owner, const FilePrompt& prompt, SettingsStore& settings);
std::optional<std::filesystem::path> ChooseFolder(HWND owner, std::string_view title, SettingsStore& settings);

}  // namespace zelvane::win32
