#pragma once

#include <QMenu>

namespace zelvane {

// The commands of a window's system menu, with the platform's ids; a handler compares them
// with their low four bits masked off.
enum SystemCommand : unsigned {
  SC_MINIMIZE = 0xF020,
  SC_MAXIMIZE = 0xF030,
  SC_CLOSE = 0xF060,
  SC_RESTORE = 0xF120,
};

// A window's system menu, offered as its context menu: restore, minimise, maximise and close,
// to which a program may append its own commands. Choosing an entry emits Command with its id.
class SystemMenu : public QMenu {
  Q_OBJECT

 public:
  explicit SystemMenu(QWidget* window);

  void AppendSeparator() { addSeparator(); }
  // An entry that sends id; the action carries id as its data.
  QAction* AppendItem(unsigned id, const QString& text);

 signals:
  void Command(unsigned id);

 private:
  void UpdateEntries();

  QWidget* m_window;
  QAction* m_restore;
  QAction* m_maximize;
};

// What the platform does for a standard system command: nothing for an id it does not know.
void DefaultSystemCommand(QWidget* window, unsigned id);

}  // namespace zelvane
