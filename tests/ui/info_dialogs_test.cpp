#include <QLabel>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>

#include "res/about_dialog_template.h"
#include "res/analysis_dialog_template.h"
#include "res/help_dialog_template.h"
#include "res/list_choice_dialog_templates.h"
#include "res/main_dialog_template.h"
#include "res/resource_ids.h"
#include "res/separator_dialog_template.h"
#include "tests/ui/ui_test_support.h"
#include "ui/logic/export_kinds.h"
#include "ui/qt/about_dlg.h"
#include "ui/qt/analysis_dlg.h"
#include "ui/qt/help_dlg.h"
#include "ui/qt/list_choice_dlg.h"
#include "ui/qt/separator_dlg.h"
#include "ui/qt/ui_text.h"

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
  // Every dialog has its template's caption, and no text is cut off by a font wider than the template's
  // (a note set by the window too: a hashed export's).
  void BuildsEachDialogFromItsTemplate() {
    ScriptedShell shell;
    AnalysisChoice choice;
    const std::pair<const res::DialogTemplate*, std::function<std::unique_ptr<TemplateDialog>()>> dialogs[] = {
        {&res::kMainDialog, [&] { return std::make_unique<CClassifierDlg>(shell); }},
        {&res::kAboutDialog, [] { return std::make_unique<CAboutDlg>(); }},
        {&res::kHelpDialog, [] { return std::make_unique<CHelpDlg>(); }},
        {&res::kSeparatorDialog, [] { return std::make_unique<CSeparatorDlg>(); }},
        {&res::kSeparatorDialog, [] { return std::make_unique<CSeparatorDlg>(QString(), FromUtf8(kHashedNote)); }},
        {&res::kAnalysisDialog, [&] { return std::make_unique<CAnalysisDlg>(shell, choice); }},
        {&res::kExportKindDialog,
         [] { return std::make_unique<CListChoiceDlg>(res::kExportKindDialog, QString(), ExportKindEntries(), 3); }},
        {&res::kColumnDialog,
         [] {
           return std::make_unique<CListChoiceDlg>(
               res::kColumnDialog, QStringLiteral("“客户名单.xlsx”中有几列都有号码，请选择要导入的列："),
               std::vector<ListEntry>{{"手机（B列）：1,048,575个号码", ""}}, 0);
         }},
    };
    for (const auto& [dialogTemplate, make] : dialogs) {
      const std::unique_ptr<TemplateDialog> dialog = make();
      QCOMPARE(dialog->windowTitle(), FromUtf8(dialogTemplate->caption));
      for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        // A text longer than its line wraps, and must fit in its height.
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width() ||
                     (label->wordWrap() && label->heightForWidth(label->width()) <= label->height()),
                 qPrintable(label->text()));
      }
    }
  }

  // Either dialog closes by 确定, Enter, Esc or the close box and leaves the main dialog as it was.
  // clang-format off
  void ClosesAndChangesNothing_data() {
    test::Columns<QString, QString, int>({"opened", "action", "result"});
    QTest::newRow("关于 by 确定") << "关于 Zelvane" << "确定" << int(QDialog::Accepted);
    QTest::newRow("关于 by Enter") << "关于 Zelvane" << "Enter" << int(QDialog::Accepted);
    QTest::newRow("使用说明 by Esc") << "使用说明" << "Esc" << int(QDialog::Rejected);
    QTest::newRow("使用说明 by the close box") << "使用说明" << "close box" << int(QDialog::Rejected);
  }
  // clang-format on

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

  // Enter presses the focused push button and otherwise does nothing; Esc does nothing (it would
  // throw the numbers away without a word); the close box closes.
  // clang-format off
  void ClosesTheMainDialogOnlyByTheCloseBox_data() {
    test::Columns<int, QString, bool, QStringList>({"focus", "action", "stillOpen", "log"});
    QTest::newRow("Enter on the list") << res::IDC_NUMBER_LIST << "Enter" << true << QStringList{};
    QTest::newRow("Enter on 使用说明") << res::IDC_HELP_BUTTON << "Enter" << true << QStringList{"RunModal 使用说明"};
    QTest::newRow("Esc") << res::IDC_NUMBER_LIST << "Esc" << true << QStringList{};
    QTest::newRow("Esc on a check box") << res::IDC_CHECK_MOBILE << "Esc" << true << QStringList{};
    QTest::newRow("the close box") << res::IDC_CHECK_ALL << "close box" << false << QStringList{};
  }
  // clang-format on

  void ClosesTheMainDialogOnlyByTheCloseBox() {
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
