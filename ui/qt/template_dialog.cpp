#include "ui/qt/template_dialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

#include "res/resource_ids.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/number_list_view.h"
#include "ui/qt/overview_pane.h"
#include "ui/qt/resources.h"
#include "ui/qt/ui_text.h"

namespace zelvane {

namespace {

constexpr int kIconSize = 32;

QPushButton* CreatePushButton(const QString& text, bool isDefault, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  // Enter presses only the default button, never whichever button comes first.
  button->setAutoDefault(isDefault);
  button->setDefault(isDefault);
  return button;
}

QLabel* CreateText(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  return label;
}

QLineEdit* CreateEdit(bool readOnly, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setReadOnly(readOnly);
  return edit;
}

QLabel* CreateIcon(int icon, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setPixmap(LoadIcon(icon).pixmap(kIconSize, kIconSize));
  return label;
}

QWidget* CreateControl(const res::ControlTemplate& control, QWidget* parent) {
  const QString text = FromUtf8(control.text);
  switch (control.kind) {
    case res::ControlKind::PushButton: return CreatePushButton(text, false, parent);
    case res::ControlKind::DefaultPushButton: return CreatePushButton(text, true, parent);
    case res::ControlKind::CheckBox: return new QCheckBox(text, parent);
    case res::ControlKind::Edit: return CreateEdit(false, parent);
    case res::ControlKind::ReadOnlyEdit: return CreateEdit(true, parent);
    case res::ControlKind::Text: return CreateText(text, parent);
    case res::ControlKind::Icon: return CreateIcon(control.icon, parent);
    case res::ControlKind::NumberList: return new NumberListView(parent);
    case res::ControlKind::OverviewPane: return new COverviewPane(parent);
    case res::ControlKind::ListBox: return new QListWidget(parent);
  }
  return nullptr;
}

// The template's rectangle, except that an icon keeps its own size, a check box gets the
// height its indicator needs, grown evenly about the template's centre line, and a text of one
// line grows to the right when the font that stands in for the template's draws it wider.
QRect ControlGeometry(const res::ControlTemplate& control, const QWidget& widget) {
  QRect rect = DialogRectToPixels(control.rect);
  if (control.kind == res::ControlKind::Icon) rect.setSize(QSize(kIconSize, kIconSize));
  if (control.kind == res::ControlKind::Text && rect.height() < 2 * widget.fontMetrics().height()) {
    rect.setWidth(std::max(rect.width(), widget.fontMetrics().horizontalAdvance(FromUtf8(control.text))));
  }
  if (control.kind == res::ControlKind::CheckBox) {
    const int missing = widget.sizeHint().height() - rect.height();
    if (missing > 0) rect.adjust(0, -missing / 2, 0, missing - missing / 2);
  }
  return rect;
}

bool IsEnterKey(const QKeyEvent& event) { return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter; }

}  // namespace

TemplateDialog::TemplateDialog(const res::DialogTemplate& dialogTemplate, QWidget* parent) : QDialog(parent) {
  Qt::WindowFlags flags = Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  flags |= dialogTemplate.minimizeMaximizeBoxes ? Qt::Window | Qt::WindowMinMaxButtonsHint : Qt::Dialog;
  setWindowFlags(flags);
  setWindowTitle(FromUtf8(dialogTemplate.caption));
  setFont(DialogFont());

  for (const res::ControlTemplate& control : dialogTemplate.controls) {
    QWidget* widget = CreateControl(control, this);
    widget->setGeometry(ControlGeometry(control, *widget));
    if (control.id != res::IDC_STATIC) m_items.insert(control.id, widget);
  }
  if (auto* ok = DlgItem<QAbstractButton>(res::IDOK)) connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
  if (auto* cancel = DlgItem<QAbstractButton>(res::IDCANCEL)) {
    connect(cancel, &QAbstractButton::clicked, this, &QDialog::reject);
  }

  const QSize size = DialogSizeToPixels(dialogTemplate.cx, dialogTemplate.cy);
  if (dialogTemplate.minimizeMaximizeBoxes) {
    resize(size);
  } else {
    setFixedSize(size);
  }
}

void TemplateDialog::keyPressEvent(QKeyEvent* event) {
  if (IsEnterKey(*event)) {
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
      button->click();
      return;
    }
  }
  QDialog::keyPressEvent(event);
}

}  // namespace zelvane
