#include <QCheckBox>
#include <QtTest>

#include "app/classifier_app.h"
#include "res/resource_ids.h"
#include "tests/ui/ui_test_support.h"
#include "ui/system_menu.h"
#include "ui/web_browser2.h"

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
      QTest::keyClick(&dialog, Qt::Key_Escape);
      return dialog.result();
    });
    CClassifierApp app(shell, [] { return true; });
    QCOMPARE(app.Run(), 0);
    QCOMPARE(shell.Log(), QStringList{QStringLiteral("RunModal Zelvane V1.0")});
  }

  void OpensWithAllTickedAndEverythingEmpty_data() {
    test::Columns<int, bool>({"box", "ticked"});
    QTest::newRow("全部") << res::IDC_CHECK_ALL << true;
    QTest::newRow("移动") << res::IDC_CHECK_MOBILE << false;
    QTest::newRow("联通") << res::IDC_CHECK_UNICOM << false;
    QTest::newRow("电信") << res::IDC_CHECK_TELECOM << false;
    QTest::newRow("小灵通") << res::IDC_CHECK_PHS << false;
    QTest::newRow("其他") << res::IDC_CHECK_OTHER << false;
  }

  void OpensWithAllTickedAndEverythingEmpty() {
    QFETCH(int, box);
    QFETCH(bool, ticked);
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    QCOMPARE(dialog.DlgItem<QCheckBox>(box)->isChecked(), ticked);
    QVERIFY(test::ShownNumbers(dialog).isEmpty());
    QVERIFY(test::Status(dialog).isEmpty());
    QVERIFY(shell.Log().isEmpty());
  }

  void OpensLikeItsTemplate() {
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Zelvane V1.0"));
    QCOMPARE(dialog.size(), QSize(881, 575));
    QVERIFY(!dialog.windowIcon().isNull());
    QCOMPARE(dialog.windowIcon().availableSizes(), (QList<QSize>{QSize(32, 32), QSize(16, 16)}));
    QVERIFY(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(dialog.DlgItem<CWebBrowser2>(res::IDC_AD_BROWSER)->LocationUrl(),
             QStringLiteral("http://ad.example.com/soft/ad.asp"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.GetDlgItem(res::IDC_NUMBER_LIST));
  }

  void EndsTheSystemMenuWithTheAboutEntry() {
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    const QList<QAction*> actions = dialog.GetSystemMenu().actions();
    QVERIFY(actions.size() >= 2);
    QVERIFY(actions[actions.size() - 2]->isSeparator());
    QCOMPARE(actions.back()->text(), QStringLiteral("关于 Quorvel(&A)..."));
    actions.back()->trigger();
    QCOMPARE(shell.Log(), QStringList{QStringLiteral("RunModal 关于 Zelvane")});
  }

  // Tab visits the controls in the template's order; statics take no focus.
  void TabsThroughTheControlsInTemplateOrder() {
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    const QList<int> order = {res::IDC_NUMBER_LIST,      res::IDC_IMPORT,       res::IDC_EXPORT,
                              res::IDC_CHECK_ALL,        res::IDC_CHECK_MOBILE, res::IDC_CHECK_UNICOM,
                              res::IDC_CHECK_TELECOM,    res::IDC_CHECK_PHS,    res::IDC_CHECK_OTHER,
                              res::IDC_ONE_CLICK_EXPORT, res::IDC_AD_BROWSER,   res::IDC_ANALYSIS,
                              res::IDC_HELP_BUTTON};
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    for (qsizetype i = 0; i < order.size(); ++i) {
      QCOMPARE(QApplication::focusWidget(), dialog.GetDlgItem(order[i]));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), dialog.GetDlgItem(order.front()));
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::StartupTest)
#include "startup_test.moc"
