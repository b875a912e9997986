#pragma once

#include <QString>

#include "ui/qt/template_dialog.h"

namespace zelvane {

// "分割符": asks for the separator that an export writes after every number; it opens with the
// edit focused, holding the separator offered (selected, so that typing replaces it). 确定 and Enter
// keep what was typed (nothing typed means CR LF); Esc and the close box reject it, which cancels the
// export. A note (a hashed export's warning) shows under the field, where the template leaves room.
class CSeparatorDlg : public TemplateDialog {
  Q_OBJECT

 public:
  explicit CSeparatorDlg(const QString& offered = QString(), const QString& note = QString(),
                         QWidget* parent = nullptr);

  // The separator as typed, nothing trimmed; empty unless the dialog was closed with OK.
  const QString& Separator() const { return m_separator; }

  void accept() override;

 private:
  QString m_separator;
};

}  // namespace zelvane
