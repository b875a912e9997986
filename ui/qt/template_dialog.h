#pragma once

#include <QDialog>
#include <QHash>

#include "res/dialog_template.h"

namespace zelvane {

// A dialog built from a template: caption, size and controls in dialog units, in the dialog
// font. The button with the id IDOK accepts it; IDCANCEL, Esc and the close box reject it. Enter presses
// the push button that has the focus, else the default button; without one it does nothing.
class TemplateDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TemplateDialog(const res::DialogTemplate& dialogTemplate, QWidget* parent = nullptr);

  // The control with this id; null when the template has none.
  QWidget* GetDlgItem(int id) const { return m_items.value(id); }

  template <class Control>
  Control* DlgItem(int id) const {
    return qobject_cast<Control*>(GetDlgItem(id));
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QHash<int, QWidget*> m_items;
};

}  // namespace zelvane
