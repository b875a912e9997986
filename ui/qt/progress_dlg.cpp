#include "ui/qt/progress_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvane {

CProgressDlg::CProgressDlg(const QString& what, QWidget* parent) : QDialog(parent), m_bar(new QProgressBar(this)) {
  setWindowTitle(what);
  auto* label = new QLabel(what, this);
  m_bar->setRange(0, 1000);
  m_bar->setTextVisible(false);
  m_bar->setMinimumWidth(360);
  auto* cancel = new QPushButton(QStringLiteral("取消"), this);
  cancel->setAutoDefault(false);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(m_bar);
  layout->addLayout(buttons);
  cancel->setFocus();
}

void CProgressDlg::SetPermille(int permille) { m_bar->setValue(permille); }

int CProgressDlg::Permille() const { return m_bar->value(); }

}  // namespace zelvane
