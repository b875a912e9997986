#include "ui/qt/system_menu.h"

namespace zelvane {

SystemMenu::SystemMenu(QWidget* window) : QMenu(window), m_window(window) {
  m_restore = AppendItem(SC_RESTORE, QStringLiteral("还原(&R)"));
  AppendItem(SC_MINIMIZE, QStringLiteral("最小化(&N)"));
  m_maximize = AppendItem(SC_MAXIMIZE, QStringLiteral("最大化(&X)"));
  AppendSeparator();
  AppendItem(SC_CLOSE, QStringLiteral("关闭(&C)"));
  connect(this, &QMenu::aboutToShow, this, &SystemMenu::UpdateEntries);
}

QAction* SystemMenu::AppendItem(unsigned id, const QString& text) {
  QAction* action = addAction(text);
  action->setData(id);
  connect(action, &QAction::triggered, this, [this, id] { emit Command(id); });
  return action;
}

void SystemMenu::UpdateEntries() {
  const bool normal = !(m_window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
  m_restore->setEnabled(!normal);
  m_maximize->setEnabled(!(m_window->windowState() & Qt::WindowMaximized));
}

void DefaultSystemCommand(QWidget* window, unsigned id) {
  switch (id & 0xFFF0) {
    case SC_MINIMIZE: window->showMinimized(); break;
    case SC_MAXIMIZE: window->showMaximized(); break;
    case SC_RESTORE: window->showNormal(); break;
    case SC_CLOSE: window->close(); break;
    default: break;
  }
}

}  // namespace zelvane
