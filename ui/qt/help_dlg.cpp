#include "ui/qt/help_dlg.h"

#include "res/help_dialog_template.h"

namespace zelvane {

CHelpDlg::CHelpDlg(QWidget* parent) : TemplateDialog(res::kHelpDialog, parent) {}

}  // namespace zelvane
