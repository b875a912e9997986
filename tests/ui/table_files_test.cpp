// Workbooks and CSV files in the Qt window: "选择号码所在的列" before an import, "导出格式" before the
// folder exports, each shown and answered as the user would.

#include <QLabel>
#include <QListWidget>
#include <QtTest>

#include "res/list_choice_dialog_templates.h"
#include "res/resource_ids.h"
#include "tests/support/test_workbook.h"
#include "tests/ui/ui_test_support.h"
#include "ui/qt/list_choice_dlg.h"

namespace zelvane {

namespace {

// What a list dialog showed when it opened: its caption, the line above the list, the entries and the
// one chosen.
struct ListShown {
  QString caption;
  QString prompt;
  QStringList entries;
  int chosen = -1;
};

// Shows the next list dialogs, notes what each showed, then presses keys ("Down Enter", "Esc") in it.
void AnswerListDialogs(ScriptedShell& shell, QList<ListShown>& shown, const QString& keys) {
  shell.HandleDialogsWith([&shown, keys](QDialog& dialog) {
    dialog.show();
    auto& choice = static_cast<TemplateDialog&>(dialog);
    auto* list = choice.DlgItem<QListWidget>(res::IDC_CHOICE_LIST);
    if (!list) return int(QDialog::Rejected);
    ListShown seen{
        dialog.windowTitle(), choice.DlgItem<QLabel>(res::IDC_CHOICE_PROMPT)->text(), {}, list->currentRow()};
    for (int row = 0; row < list->count(); ++row) seen.entries << list->item(row)->text();
    shown << seen;
    if (keys == "取消") {
      test::Act(dialog, keys);
    } else {
      test::Press(dialog.focusWidget(), keys);
    }
    return dialog.result();
  });
}

}  // namespace

class TableFilesTest : public QObject {
  Q_OBJECT

 private slots:
  // A workbook whose columns 手机 and 备注 both hold numbers: the dialog lists them with 全部列, the
  // fuller chosen and focused; Enter imports it, another entry imports that, 取消 and Esc nothing.
  // clang-format off
  void AsksForTheColumn_data() {
    test::Columns<QString, QStringList>({"keys", "shown"});
    QTest::newRow("Enter: the fullest") << "Enter" << QStringList{"13800138000", "13700137000"};
    QTest::newRow("Down Enter: 备注") << "Down Enter" << QStringList{"075588886666"};
    QTest::newRow("End Enter: 全部列") << "End Enter" << QStringList{"13800138000", "075588886666", "13700137000"};
    QTest::newRow("Esc") << "Esc" << QStringList{};
    QTest::newRow("取消") << "取消" << QStringList{};
  }
  // clang-format on

  void AsksForTheColumn() {
    QFETCH(QString, keys);
    QFETCH(QStringList, shown);
    test::MainWindow window;
    const std::vector<std::string> strings = {"<t>手机</t>", "<t>备注</t>", "<t>座机 (0755) 8888-6666</t>"};
    const std::string cells =
        test::Row(1, test::Cell("A1", "s", "<v>0</v>") + test::Cell("B1", "s", "<v>1</v>")) +
        test::Row(2, test::Cell("A2", "", "<v>13800138000</v>") + test::Cell("B2", "s", "<v>2</v>")) +
        test::Row(3, test::Cell("A3", "", "<v>13700137000</v>"));
    const std::filesystem::path book = window.folder.PathOf("客户.xlsx");
    test::WriteZip(book, test::WorkbookParts({{"Sheet1", cells}}, strings));
    QList<ListShown> dialogs;
    AnswerListDialogs(window.shell, dialogs, keys);
    test::Import(window.dialog, window.shell, book);

    QCOMPARE(dialogs.size(), 1);
    QCOMPARE(dialogs[0].caption, QStringLiteral("选择号码所在的列"));
    QCOMPARE(dialogs[0].prompt, QStringLiteral("“客户.xlsx”中有几列都有号码，请选择要导入的列："));
    QCOMPARE(dialogs[0].entries, (QStringList{"手机（A列）：2个号码", "备注（B列）：1个号码", "全部列：3个号码"}));
    QCOMPARE(dialogs[0].chosen, 0);
    QCOMPARE(test::ShownNumbers(window.dialog), shown);
  }

  // 一键导出 asks for the format after the folder, text offered at first and then the one last used; a
  // workbook asks for no separator.
  void ExportsTheFormatChosen() {
    test::MainWindow window;
    window.ImportSamples("a c");
    const std::filesystem::path out = window.folder.PathOf("out");
    std::filesystem::create_directory(out);
    QList<ListShown> dialogs;
    for (const char* keys : {"Down Enter", "Enter"}) {
      AnswerListDialogs(window.shell, dialogs, keys);
      window.shell.AnswerNextPrompt(out);
      window.Click(res::IDC_ONE_CLICK_EXPORT);
    }
    QCOMPARE(dialogs.size(), 2);
    QCOMPARE(dialogs[0].caption, QStringLiteral("导出格式"));
    QCOMPARE(dialogs[0].entries, (QStringList{"文本文件(*.txt)", "Excel 工作簿(*.xlsx)", "CSV 文件(*.csv)", "MD5 值(*.txt)",
                                              "SHA-256 值(*.txt)", "隐藏中间四位(*.txt)"}));
    QCOMPARE(dialogs[0].chosen, 0);
    QCOMPARE(dialogs[1].chosen, 1);
    QVERIFY(!window.shell.Log().contains(QStringLiteral("RunModal 分割符")));
    QVERIFY(window.folder.Read("out/移动.xlsx").startsWith("PK"));
    QCOMPARE(window.folder.Read("out/移动.txt"), QByteArray("<missing>"));
  }

  // The line under the list follows the entry chosen.
  void ShowsTheChosenEntrysNote() {
    CListChoiceDlg dialog(res::kExportKindDialog, QString(), {{"文本", ""}, {"摘要", "只能用来比对"}}, 0);
    dialog.show();
    auto* note = dialog.DlgItem<QLabel>(res::IDC_CHOICE_NOTE);
    QCOMPARE(note->text(), QString());
    test::Press(dialog.focusWidget(), "Down");
    QCOMPARE(note->text(), QStringLiteral("只能用来比对"));
    test::Press(dialog.focusWidget(), "Enter");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Chosen(), std::size_t{1});
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::TableFilesTest)
#include "table_files_test.moc"
