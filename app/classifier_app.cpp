#include "app/classifier_app.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include "res/resource_ids.h"
#include "ui/qt/classifier_dlg.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/resources.h"
#include "ui/qt/shell.h"

namespace zelvane {

CClassifierApp::CClassifierApp(Shell& shell, std::function<bool()> networkingWorks)
    : m_shell(shell), m_networkingWorks(std::move(networkingWorks)) {}

namespace {

// Qt's own dialogs (the file prompts) speak Simplified Chinese, as the rest of the program.
void InstallChineseQtTranslation(QTranslator& translator) {
  if (translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&translator);
  }
}

}  // namespace

int CClassifierApp::Run(const std::vector<std::filesystem::path>& files) {
  QTranslator translator;
  InstallChineseQtTranslation(translator);
  // Message boxes and file prompts use the dialogs' font too.
  QApplication::setFont(DialogFont());
  if (!m_networkingWorks()) {
    m_shell.ShowAppMessage(LoadString(res::IDS_SOCKET_STARTUP_FAILED));
    return 1;
  }
  CClassifierDlg dialog(m_shell);
  if (!files.empty()) QTimer::singleShot(0, &dialog, [&dialog, &files] { dialog.ImportFiles(files); });
  m_shell.RunModal(dialog);
  return 0;
}

}  // namespace zelvane
