#include <QApplication>

#include "app/classifier_app.h"
#include "app/networking_check.h"
#include "ui/qt_shell.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  zelvane::QtShell shell;
  zelvane::CClassifierApp app(shell, zelvane::CanCreateSocket);
  return app.Run();
}
