#include "ui/qt/about_dlg.h"

#include "res/about_dialog_template.h"

namespace zelvane {

CAboutDlg::CAboutDlg(QWidget* parent) : TemplateDialog(res::kAboutDialog, parent) {}

}  // namespace zelvane
