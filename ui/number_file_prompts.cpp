#include "ui/number_file_prompts.h"

#include <QString>

#include "ui/shell.h"

namespace zelvane {

namespace {

QString TextFileFilter() { return QStringLiteral("文本文件(*.txt)"); }

}  // namespace

std::optional<std::filesystem::path> ChooseFileToImport(Shell& shell, QWidget* owner) {
  return shell.ChooseOpenFile(owner, QStringLiteral("选择要导入的号码文件"), TextFileFilter());
}

std::optional<std::filesystem::path> ChooseFileToExport(Shell& shell, QWidget* owner) {
  return shell.ChooseSaveFile(owner, QStringLiteral("选择要导出的号码文件"), TextFileFilter(), QStringLiteral("txt"));
}

}  // namespace zelvane
