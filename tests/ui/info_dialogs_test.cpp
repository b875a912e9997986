#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "res/resource_ids.h"
#include "tests/ui/ui_test_support.h"
#include "ui/about_dlg.h"
#include "ui/help_dlg.h"

namespace zelvane {

namespace {

// The labels of a dialog as "text@x,y,w,h", in creation order.
QStringList Labels(const QDialog& dialog) {
  QStringList labels;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    const QRect r = label->geometry();
    labels << QStringLiteral("%1@%2,%3,%4,%5").arg(label->text()).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
  }
  return labels;
}

// What the user sees of the main dialog: list, boxes and status line.
QString MainState(const CClassifierDlg& dialog) {
  QString state = test::SampleNames(test::ShownNumbers(dialog));
  for (const QCheckBox* box : dialog.findChildren<QCheckBox*>()) state += box->isChecked() ? " +" : " -";
  return state + " " + dialog.DlgItem<QLabel>(res::IDC_STATUS)->text();
}

}  // namespace

class InfoDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void OpensTheAboutBoxForIds16To31_data() {
    QTest::addColumn<unsigned>("id");
    QTest::addColumn<bool>("opens");
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

  void ShowsTheAboutBox() {
    CAboutDlg about;
    QCOMPARE(about.windowTitle(), QStringLiteral("关于 Zelvane"));
    QCOMPARE(about.size(), QSize(353, 83));
    QCOMPARE(Labels(about), (QStringList{"@17,26,32,32", "Zelvane 1.0 版@60,15,179,12"}));
    QCOMPARE(about.findChild<QLabel*>()->pixmap().size(), QSize(32, 32));
    auto* ok = about.DlgItem<QPushButton>(res::IDOK);
    QCOMPARE(ok->text(), QStringLiteral("确定"));
    QCOMPARE(ok->geometry(), QRect(267, 11, 75, 21));
    QVERIFY(ok->isDefault());
  }

  void ShowsTheUsageInstructions() {
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    QSize size;
    QStringList labels;
    QRect okRect;
    bool okIsDefault = false;
    shell.HandleDialogsWith([&](QDialog& help) {
      size = help.size();
      labels = Labels(help);
      const auto* ok = static_cast<TemplateDialog&>(help).DlgItem<QPushButton>(res::IDOK);
      okRect = ok->geometry();
      okIsDefault = ok->isDefault();
      return int(QDialog::Accepted);
    });
    dialog.DlgItem<QPushButton>(res::IDC_HELP_BUTTON)->click();
    QCOMPARE(shell.Log(), QStringList{"RunModal 使用说明"});
    QCOMPARE(size, QSize(405, 287));
    QCOMPARE(labels, (QStringList{
                         "功能：号码分类@48,32,162,12",
                         "1，点击“导入”选择打开未分类的号码文件@75,53,320,12",
                         "2，选择需要导出的号码类型，然后点击“导出”导出@75,78,299,12",
                         "号码，也可以选择“一键导出”快速分类导出号码@92,104,279,12",
                         "功能：分析白名单号码@48,147,167,12",
                         "1，点击“号码分析”，选择两个号码文件@75,173,263,12",
                         "2，点击“找相同”和“找不同”找出需要的号码@75,198,279,12",
                     }));
    QCOMPARE(okRect, QRect(165, 242, 75, 21));
    QVERIFY(okIsDefault);
  }

  // Either dialog closes by 确定, Enter, Esc or the close box and leaves the main dialog as it was.
  void ClosesAndChangesNothing_data() {
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("result");
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
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    test::TestFolder folder;
    test::Import(dialog, shell, folder.Write("numbers.txt", test::SampleFile("a c d")));
    test::ClickBox(dialog, "全部");
    test::ClickBox(dialog, "其他");
    const QString before = MainState(dialog);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));

    bool closed = false;
    int outcome = -1;
    shell.HandleDialogsWith([&](QDialog& shown) {
      shown.show();
      test::Act(shown, action);
      closed = !shown.isVisible();
      outcome = shown.result();
      return outcome;
    });
    if (opened == "使用说明") {
      dialog.DlgItem<QPushButton>(res::IDC_HELP_BUTTON)->click();
    } else {
      dialog.OnSysCommand(res::IDM_ABOUTBOX);
    }
    QVERIFY(closed);
    QCOMPARE(outcome, result);
    QCOMPARE(MainState(dialog), before);
  }

  // Enter presses the focused push button and otherwise does nothing; Esc and the close box close.
  void ClosesTheMainDialogOnlyByEscOrTheCloseBox_data() {
    QTest::addColumn<int>("focus");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("stillOpen");
    QTest::addColumn<QStringList>("log");
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
