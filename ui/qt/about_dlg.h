#pragma once

#include "ui/qt/template_dialog.h"

namespace zelvane {

// "关于 Zelvane": the icon, the version line and "确定".
class CAboutDlg : public TemplateDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace zelvane
