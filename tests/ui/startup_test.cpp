#include <QtTest>

#include "app/classifier_app.h"
#include "res/resource_ids.h"
#include "tests/ui/ui_test_support.h"
#include "ui/qt/system_menu.h"

namespace zelvane {

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void EndsAtOnceWhenNetworkingFails() {
    ScriptedShell shell;
    CClassifierApp app(shell, [] { return false; });
    QCOMPARE(app.Run(), 1);
    const QString message = QApplication::applicationName() + ": Windows 通信端口初始化失败。";
    QCOMPARE(shell.Log(), QStringList{"ShowAppMessage " + message});
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
  }

  void RunsTheMainDialogUntilItCloses() {
    ScriptedShell shell;
    shell.HandleDialogsWith([](QDialog& dialog) {
      dialog.show();
      dialog.close();  // the close box
      return dialog.result();
    });
    CClassifierApp app(shell, [] { return true; });
    QCOMPARE(app.Run(), 0);
    QCOMPARE(shell.Log(), QStringList{QStringLiteral("RunModal Zelvane V1.0")});
  }

  // Only 全部 ticked, nothing listed or counted, the list taking the keys, and the window can be
  // minimised and maximised.
  void OpensWithAllTickedAndEverythingEmpty() {
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    QCOMPARE(test::Boxes(dialog), QStringLiteral("+-----"));
    QVERIFY(test::ShownNumbers(dialog).isEmpty());
    QVERIFY(test::Status(dialog).isEmpty());
    QVERIFY(!dialog.windowIcon().isNull());
    QVERIFY(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.GetDlgItem(res::IDC_NUMBER_LIST));
    QVERIFY(shell.Log().isEmpty());
  }

  void EndsTheSystemMenuWithTheAboutEntry() {
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    const QList<QAction*> actions = dialog.GetSystemMenu().actions();
    QVERIFY(actions.size() >= 2);
    QVERIFY(actions[actions.size() - 2]->isSeparator());
    QCOMPARE(actions.back()->text(), QStringLiteral("关于 Zelvane(&A)..."));
    actions.back()->trigger();
    QCOMPARE(shell.Log(), QStringList{QStringLiteral("RunModal 关于 Zelvane")});
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::StartupTest)
#include "startup_test.moc"
