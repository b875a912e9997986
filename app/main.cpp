// zelvane: the desktop program.

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>

#include "app/classifier_app.h"
#include "app/networking_check.h"
#include "ui/qt/qt_settings_store.h"
#include "ui/qt/qt_shell.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationVersion(QStringLiteral("1.0"));
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.zelvane.Zelvane"));
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Zelvane：按运营商给手机号码分类、比较号码文件"));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("显示本帮助并退出"));
  const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("显示版本并退出"));
  parser.addOptions({help, version});
  parser.addPositionalArgument(QStringLiteral("文件"), QStringLiteral("启动后依次导入的号码文件"),
                               QStringLiteral("[文件...]"));
  parser.process(application);
  if (parser.isSet(help)) parser.showHelp();  // both answer on standard output and end the program
  if (parser.isSet(version)) parser.showVersion();

  std::vector<std::filesystem::path> files;
  for (const QString& file : parser.positionalArguments()) files.emplace_back(QFile::encodeName(file).toStdString());
  zelvane::QtSettingsStore settings;
  zelvane::QtShell shell(settings);
  zelvane::CClassifierApp app(shell, zelvane::CanCreateSocket);
  return app.Run(files);
}
