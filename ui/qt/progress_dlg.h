#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace zelvane {

// The window of long work: what is being done ("正在导入“numbers.txt”…", also its caption), a bar, and
// "取消". 取消, Esc and the close box reject it, which is how the work is asked to stop.
class CProgressDlg : public QDialog {
  Q_OBJECT

 public:
  CProgressDlg(const QString& what, QWidget* parent);

  // How far the work is, in thousandths.
  void SetPermille(int permille);
  int Permille() const;

 private:
  QProgressBar* m_bar;
};

}  // namespace zelvane
