#pragma once

#include <filesystem>
#include <optional>

class QWidget;

namespace zelvane {

class Shell;

// The prompt for a number file to read ("选择要导入的号码文件"), shared by the import and the
// analysis dialog's file pickers. Nothing when the user cancels.
std::optional<std::filesystem::path> ChooseFileToImport(Shell& shell, QWidget* owner);

// The prompt for the file that an export writes ("选择要导出的号码文件"): it asks before it replaces
// an existing file and adds .txt to a name typed without an extension. Nothing when cancelled.
std::optional<std::filesystem::path> ChooseFileToExport(Shell& shell, QWidget* owner);

}  // namespace zelvane
