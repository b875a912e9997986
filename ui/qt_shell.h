#pragma once

#include "ui/shell.h"

namespace zelvane {

// The shell of the real program: Qt's file dialogs and message boxes, the application's cursor.
class QtShell final : public Shell {
 public:
  std::optional<std::filesystem::path> ChooseOpenFile(QWidget* owner, const QString& title,
                                                      const QString& filter) override;
  std::optional<std::filesystem::path> ChooseSaveFile(QWidget* owner, const QString& title, const QString& filter,
                                                      const QString& defaultSuffix) override;
  std::optional<std::filesystem::path> ChooseFolder(QWidget* owner, const QString& title) override;
  void ShowMessage(QWidget* owner, const QString& text) override;
  void ShowAppMessage(const QString& text) override;
  int RunModal(QDialog& dialog) override;
  void SetWaitCursor() override;
  void RestoreCursor() override;
};

}  // namespace zelvane
