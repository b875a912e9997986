#pragma once

#include "ui/qt/template_dialog.h"

namespace zelvane {

// "使用说明": how to sort numbers and how to check them against a whitelist, then what came later.
class CHelpDlg : public TemplateDialog {
  Q_OBJECT

 public:
  explicit CHelpDlg(QWidget* parent = nullptr);
};

}  // namespace zelvane
