#include <QtTest>

#include "res/resource_ids.h"
#include "tests/ui/ui_test_support.h"

namespace zelvane {

namespace {

// Opens "关于 Zelvane" from the system menu or "使用说明" by its button.
void Open(test::MainWindow& window, const QString& opened) {
  if (opened == "使用说明") {
    window.Click(res::IDC_HELP_BUTTON);
  } else {
    window.dialog.OnSysCommand(res::IDM_ABOUTBOX);
  }
}

// What the user sees of the main dialog: list, boxes and status line.
QString MainState(const CClassifierDlg& dialog) {
  return test::ShownNames(dialog) + " " + test::Boxes(dialog) + " " + test::Status(dialog);
}

}  // namespace

class InfoDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void OpensTheAboutBoxForIds16To31_data() {
    test::Columns<unsigned, bool>({"id", "opens"});
    QTest::newRow("15") << 15u << false;
    QTest::newRow("16") << 16u << true;
    QTest::newRow("17") << 17u << true;
    QTest::newRow("31") << 31u << true;
    QTest::newRow("32") << 32u << false;
  }

  void OpensTheAboutBoxForIds16To31() {
    QFETCH(unsigned, id);
    QFETCH(bool, opens);
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    dialog.OnSysCommand(id);
    QCOMPARE(shell.Log(), opens ? QStringList{"RunModal 关于 Zelvane"} : QStringList{});
  }

  // Each opens as its template gives it, 确定 the default button.
  void OpensLikeItsTemplate_data() {
    test::Columns<QStringList>({"looks"});
    QTest::newRow("关于 Zelvane") << QStringList{"关于 Zelvane", "353x83", "icon 32x32@17,26,32,32",
                                                 "Zelvane 1.0 版@60,15,179,12", "default button 确定@267,11,75,21"};
    QTest::newRow("使用说明") << QStringList{"使用说明", "405x287", "default button 确定@165,242,75,21",
                                             "功能：号码分类@48,32,162,12",
                                             "1，点击“导入”选择打开未分类的号码文件@75,53,320,12",
                                             "2，选择需要导出的号码类型，然后点击“导出”导出@75,78,299,12",
                                             "号码，也可以选择“一键导出”快速分类导出号码@92,104,279,12",
                                             "功能：分析白名单号码@48,147,167,12",
                                             "1，点击“号码分析”，选择两个号码文件@75,173,263,12",
                                             "2，点击“找相同”和“找不同”找出需要的号码@75,198,279,12"};
  }

  void OpensLikeItsTemplate() {
    QFETCH(QStringList, looks);
    test::MainWindow window;
    QStringList seen;
    window.shell.HandleDialogsWith([&](QDialog& shown) {
      seen = test::DescribeDialog(shown);
      return int(QDialog::Accepted);
    });
    Open(window, looks.front());
    QCOMPARE(window.shell.Log(), QStringList{"RunModal " + looks.front()});
    QCOMPARE(seen, looks);
  }

  // Either dialog closes by 确定, Enter, Esc or the close box and leaves the main dialog as it was.
  void ClosesAndChangesNothing_data() {
    test::Columns<QString, QString, int>({"opened", "action", "result"});
    for (const QString opened : {"关于 Zelvane", "使用说明"}) {
      QTest::addRow("%s by 确定", qPrintable(opened)) << opened << "确定" << int(QDialog::Accepted);
      QTest::addRow("%s by Enter", qPrintable(opened)) << opened << "Enter" << int(QDialog::Accepted);
      QTest::addRow("%s by Esc", qPrintable(opened)) << opened << "Esc" << int(QDialog::Rejected);
      QTest::addRow("%s by the close box", qPrintable(opened)) << opened << "close box" << int(QDialog::Rejected);
    }
  }

  void ClosesAndChangesNothing() {
    QFETCH(QString, opened);
    QFETCH(QString, action);
    QFETCH(int, result);
    test::MainWindow window;
    window.ImportSamples("a c d");
    test::ClickBoxes(window.dialog, "全部 其他");
    const QString before = MainState(window.dialog);
    window.dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&window.dialog));

    bool closed = false;
    int outcome = -1;
    window.shell.HandleDialogsWith([&](QDialog& shown) {
      shown.show();
      test::Act(shown, action);
      closed = !shown.isVisible();
      outcome = shown.result();
      return outcome;
    });
    Open(window, opened);
    QVERIFY(closed);
    QCOMPARE(outcome, result);
    QCOMPARE(MainState(window.dialog), before);
  }

  // Enter presses the focused push button and otherwise does nothing; Esc and the close box close.
  void ClosesTheMainDialogOnlyByEscOrTheCloseBox_data() {
    test::Columns<int, QString, bool, QStringList>({"focus", "action", "stillOpen", "log"});
    QTest::newRow("Enter on the list") << res::IDC_NUMBER_LIST << "Enter" << true << QStringList{};
    QTest::newRow("Enter on a check box") << res::IDC_CHECK_MOBILE << "Enter" << true << QStringList{};
    QTest::newRow("Enter on 使用说明") << res::IDC_HELP_BUTTON << "Enter" << true << QStringList{"RunModal 使用说明"};
    QTest::newRow("Esc") << res::IDC_NUMBER_LIST << "Esc" << false << QStringList{};
    QTest::newRow("the close box") << res::IDC_CHECK_ALL << "close box" << false << QStringList{};
  }

  void ClosesTheMainDialogOnlyByEscOrTheCloseBox() {
    QFETCH(int, focus);
    QFETCH(QString, action);
    QFETCH(bool, stillOpen);
    QFETCH(QStringList, log);
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.GetDlgItem(focus)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), dialog.GetDlgItem(focus));
    const QString before = MainState(dialog);

    test::Act(dialog, action);
    QCOMPARE(dialog.isVisible(), stillOpen);
    if (!stillOpen) QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(MainState(dialog), before);
    QCOMPARE(shell.Log(), log);
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::InfoDialogsTest)
#include "info_dialogs_test.moc"
