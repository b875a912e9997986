#include "ui/qt/separator_dlg.h"

#include <QLabel>
#include <QLineEdit>

#include "res/separator_dialog_template.h"

namespace zelvane {

// Typing goes straight into the edit; Tab still visits 确定 first after it, as the template orders.
CSeparatorDlg::CSeparatorDlg(const QString& offered, const QString& note, QWidget* parent)
    : TemplateDialog(res::kSeparatorDialog, parent) {
  DlgItem<QLabel>(res::IDC_SEPARATOR_NOTE)->setText(note);
  auto* edit = DlgItem<QLineEdit>(res::IDC_SEPARATOR_EDIT);
  edit->setText(offered);
  edit->selectAll();
  edit->setFocus();
}

void CSeparatorDlg::accept() {
  m_separator = DlgItem<QLineEdit>(res::IDC_SEPARATOR_EDIT)->text();
  TemplateDialog::accept();
}

}  // namespace zelvane
