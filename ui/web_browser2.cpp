#include "ui/web_browser2.h"

namespace zelvane {

CWebBrowser2::CWebBrowser2(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::TabFocus);
}

}  // namespace zelvane
