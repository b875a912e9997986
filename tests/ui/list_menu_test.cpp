// Files opened the ways people expect (dropped, named at start) and the list's own menu.

#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QTableWidget>
#include <QtTest>

#include "app/classifier_app.h"
#include "res/resource_ids.h"
#include "tests/ui/ui_test_support.h"
#include "ui/qt/report_dlg.h"

namespace zelvane {

namespace {

NumberListView& List(const CClassifierDlg& dialog) { return *dialog.DlgItem<NumberListView>(res::IDC_NUMBER_LIST); }

// Drops files from a file manager onto the window; the import follows once the drop is taken.
void Drop(CClassifierDlg& dialog, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(100, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&dialog, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(100, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&dialog, &drop);
  QVERIFY(drop.isAccepted());
}

QUrl UrlOf(const std::filesystem::path& path) { return QUrl::fromLocalFile(PathText(path)); }

}  // namespace

class ListMenuTest : public QObject {
  Q_OBJECT

 private slots:
  // Several files, one not on this computer: the local ones imported in order, one message at the end
  // with the total and every file that failed (a single file that failed, the status line and the
  // order among the boxes: the logic suite).
  void ImportsDroppedFilesInOrder() {
    test::MainWindow window;
    const std::filesystem::path missing = window.folder.PathOf("gone.txt");
    Drop(window.dialog,
         {UrlOf(window.folder.Write("a.txt", test::SampleFile("m1 u1"))), UrlOf(missing),
          UrlOf(window.folder.Write("b.txt", test::SampleFile("t"))), QUrl("https://example.com/x.txt")});
    QTRY_COMPARE(window.shell.Log().size(), 3);  // one wait cursor for them all, then the message
    QCOMPARE(window.shell.Log().back(),
             "ShowMessage 共计导入3个接收号码！\n无法读取文件“" + PathText(missing) + "”：文件或文件夹不存在");
    QCOMPARE(test::ShownNames(window.dialog), QStringLiteral("t m1 u1"));  // each import in front, as 导入 puts it
  }

  void ImportsTheFilesNamedAtStart() {
    test::TestFolder folder;
    ScriptedShell shell;
    shell.HandleDialogsWith([&shell](QDialog& dialog) {
      dialog.show();
      (void)QTest::qWaitFor([&shell] { return !shell.Log().filter("ShowMessage").isEmpty(); }, 10000);
      dialog.close();  // the close box
      return dialog.result();
    });
    CClassifierApp app(shell, [] { return true; });
    QCOMPARE(app.Run({folder.Write("a.txt", test::SampleFile("m1 o")), folder.Write("b.txt", test::SampleFile("h"))}),
             0);
    QCOMPARE(shell.Log().filter("ShowMessage"), QStringList{"ShowMessage 共计导入3个接收号码！"});
  }

  void AnswersHelpAndVersion() {
    for (const auto& [argument, answer] : {std::pair{"--version", "zelvane 1.0"}, std::pair{"--help", "[文件...]"}}) {
      QProcess program;
      program.start(QStringLiteral(ZELVANE_PATH), {argument});
      QVERIFY(program.waitForFinished(30000));
      QCOMPARE(program.exitCode(), 0);
      QVERIFY2(program.readAllStandardOutput().contains(answer), argument);
    }
  }

  // A right click (or the Menu key) on the list offers its commands, in this order.
  void OffersTheListsCommands() {
    test::MainWindow window;
    window.ImportSamples("m1 u1 m1 t");
    window.dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.dialog));
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 20),
                            List(window.dialog).viewport()->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(List(window.dialog).viewport(), &click);
    QTRY_VERIFY(QApplication::activePopupWidget() == &window.dialog.ListMenu());
    QStringList texts;
    for (QAction* action : window.dialog.ListMenu().actions())
      texts << action->text() + " " + action->shortcut().toString();
    QCOMPARE(texts,
             (QStringList{"复制(&C) Ctrl+C", "全选(&A) Ctrl+A", "清空(&L) ", "去除重复号码(&D) ", "号码统计(&R)... "}));
    window.dialog.ListMenu().close();

    window.dialog.ListMenu().actions()[1]->trigger();
    window.dialog.ListMenu().actions()[0]->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("13900000001\n13000000001\n13900000001\n13300000001"));
  }

  // The menu's 去除重复号码 and 清空 reach the window logic (which decides what goes and asks first: the
  // logic suite), and the list shows what is left.
  void RemovesRepeatsAndClears() {
    test::MainWindow window;
    window.ImportSamples("m1 u1 o m1");
    window.shell.ClearLog();
    window.dialog.ListMenu().actions()[3]->trigger();
    QCOMPARE(window.shell.Log(), (QStringList{"SetWaitCursor", "RestoreCursor", "ShowMessage 去除了1个重复号码"}));
    QCOMPARE(test::ShownNames(window.dialog), QStringLiteral("m1 u1 o"));

    window.shell.ClearLog();
    window.shell.AnswerNextQuestion(true);
    window.dialog.ListMenu().actions()[2]->trigger();
    QCOMPARE(window.shell.Log(), QStringList{"AskYesNo 确定要清空全部3个号码吗？"});
    QCOMPARE(test::ShownNames(window.dialog), QString());
  }

  // 号码统计 opens its window over the lists: the table's rows and header, a header click sorting it,
  // Enter on a province opening it to its cities, Esc closing the window.
  void ShowsTheReport() {
    test::MainWindow window;
    window.ImportSamples("m1 u1 m1 t h o");
    QStringList rows;
    window.shell.HandleDialogsWith([&rows](QDialog& dialog) {
      auto* report = qobject_cast<CReportDlg*>(&dialog);
      if (!report) return static_cast<int>(QDialog::Rejected);
      dialog.show();
      QTableWidget& table = *report->Table();
      const auto read = [&table, &rows] {
        QString row;
        for (int r = 0; r < table.rowCount(); ++r)
          row += table.item(r, 0)->text() + " " + table.item(r, 7)->text() + ";";
        rows << row;
      };
      read();
      table.horizontalHeader()->sectionClicked(0);
      read();
      table.setFocus();
      table.setCurrentCell(1, 0);
      QTest::keyClick(&table, Qt::Key_Return);
      read();
      QTest::keyClick(&dialog, Qt::Key_Escape);
      return dialog.result();
    });
    window.dialog.ListMenu().actions()[4]->trigger();
    QCOMPARE(window.shell.Log().filter("RunModal"), QStringList{"RunModal 号码统计"});
    QCOMPARE(rows, (QStringList{"+ 新疆 2;+ 山东省 1;+ 广东省 1;+ 广西 1;未知地区 1;合计 6;",
                                "+ 山东省 1;+ 广东省 1;+ 广西 1;+ 新疆 2;未知地区 1;合计 6;",
                                "+ 山东省 1;- 广东省 1;　深圳市 1;+ 广西 1;+ 新疆 2;未知地区 1;合计 6;"}));
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::ListMenuTest)
#include "list_menu_test.moc"
