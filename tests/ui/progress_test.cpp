// Long work in the main window: it runs while the window answers, shows its progress window when it
// lasts, and 取消 (or Esc, or closing the window) leaves everything as it was.

#include <QComboBox>
#include <QElapsedTimer>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <atomic>
#include <map>
#include <thread>

#include "res/resource_ids.h"
#include "tests/support/test_files.h"
#include "tests/ui/ui_test_support.h"
#include "ui/qt/category_chart.h"
#include "ui/qt/overview_pane.h"
#include "ui/qt/progress_dlg.h"

namespace zelvane {

namespace {

// count numbers of every category, one a line: several of the reader's 1 MiB pieces, and more numbers
// than a rebuild looks at between its checks.
QByteArray ManyNumbers(int count) {
  static const char* const prefixes[] = {"139", "130", "133", "0755", "955"};
  QByteArray bytes;
  for (int i = 0; i < count; ++i) {
    bytes += prefixes[i % 5] + QByteArray::number(10000000 + i * 7 % 100000) + "\r\n";
  }
  return bytes;
}

// Everything a cancelled command must leave as it was.
struct WindowState {
  QString shown;
  QString status;
  CategoryCounts counts;
  CategoryCounts chart;
  int table;
  std::map<std::string, std::string> files;

  static WindowState Of(const test::MainWindow& window) {
    std::map<std::string, std::string> files;
    const std::filesystem::path folder = window.folder.PathOf("");
    for (const std::string& name : test::FileNamesIn(folder)) files[name] = test::ReadFile(folder / name);
    const COverviewPane& pane = *window.dialog.DlgItem<COverviewPane>(res::IDC_OVERVIEW);
    return {test::ShownNumbers(window.dialog).join(' '),
            test::Status(window.dialog),
            window.dialog.Lists().Counts(),
            pane.Chart()->Counts(),
            pane.TableChoice()->currentIndex(),
            std::move(files)};
  }
  bool operator==(const WindowState&) const = default;
};

// Starts a command as the user would; 导入's prompt is answered with big.txt.
void Start(test::MainWindow& window, const QString& command) {
  if (command == "导入") {
    test::Import(window.dialog, window.shell, window.folder.PathOf("big.txt"));
  } else if (command == "去除重复号码" || command == "号码统计") {
    window.dialog.ListMenu().actions()[command == "号码统计" ? 4 : 3]->trigger();
  } else if (command == "最新号段") {
    QComboBox& tables = *window.dialog.DlgItem<COverviewPane>(res::IDC_OVERVIEW)->TableChoice();
    tables.setCurrentIndex(COverviewPane::kCurrentTable);
    emit tables.activated(COverviewPane::kCurrentTable);
  }
}

}  // namespace

class ProgressTest : public QObject {
  Q_OBJECT

 private slots:
  // clang-format off
  void CancelledCommandsChangeNothing_data() {
    test::Columns<QString, QString, QString>({"command", "action", "window"});
    QTest::newRow("导入") << "导入" << "取消" << "正在导入“big.txt”…";
    QTest::newRow("去除重复号码") << "去除重复号码" << "Esc" << "正在去除重复号码…";
    QTest::newRow("号码统计") << "号码统计" << "取消" << "正在统计号码…";
    QTest::newRow("最新号段") << "最新号段" << "取消" << "正在按新号段表重新分类…";
    QTest::newRow("closing the window") << "导入" << "close the main window" << "正在导入“big.txt”…";
  }
  // clang-format on

  void CancelledCommandsChangeNothing() {
    QFETCH(QString, command);
    QFETCH(QString, action);
    QFETCH(QString, window);
    test::MainWindow main;
    main.dialog.show();
    main.folder.Write("big.txt", ManyNumbers(300'000));
    main.ImportSamples("m1 u1 t m1");
    test::Import(main.dialog, main.shell, main.folder.PathOf("big.txt"));  // enough for a rebuild to look at the stop
    main.ImportSamples("x y h o");
    test::ClickBoxes(main.dialog, "全部 联通");
    const WindowState before = WindowState::Of(main);
    main.shell.ClearLog();

    // The window shows at once and is answered before the work could end.
    main.dialog.Work().SetDelay(std::chrono::milliseconds(0));
    bool busy = false;
    main.shell.HandleProgressWith([&](QDialog& progress) {
      busy = !main.dialog.DlgItem<QPushButton>(res::IDC_IMPORT)->isEnabled() &&
             !main.dialog.ListMenu().actions().back()->isEnabled() && !main.dialog.acceptDrops();
      if (action == "close the main window") {
        main.dialog.close();
      } else {
        test::Act(progress, action);
      }
    });
    Start(main, command);

    QVERIFY(busy);
    QCOMPARE(main.shell.Log().filter("ShowProgress").size(), 1);
    QVERIFY2(main.shell.Log().filter("ShowProgress").front().startsWith("ShowProgress " + window),
             qPrintable(main.shell.Log().join('\n')));
    QVERIFY2(main.shell.Log().filter("ShowMessage").isEmpty(), qPrintable(main.shell.Log().join('\n')));
    QCOMPARE(main.shell.WaitCursorDepth(), 0);
    QVERIFY(WindowState::Of(main) == before);
    if (action == "close the main window") {
      QTRY_VERIFY(!main.dialog.isVisible());
    } else {
      QVERIFY(main.dialog.isVisible());
      QVERIFY(main.dialog.DlgItem<QPushButton>(res::IDC_IMPORT)->isEnabled());
      QVERIFY(main.dialog.ListMenu().actions().back()->isEnabled());
    }
  }

  // The progress window's bar follows the work's reports, the window goes when the work ends, and what
  // the work throws comes out of Run.
  void TheBarFollowsTheWork() {
    test::MainWindow main;
    main.dialog.Work().SetDelay(std::chrono::milliseconds(0));
    std::atomic<bool> seen = false;
    QDialog* window = nullptr;
    main.shell.HandleProgressWith([&](QDialog& progress) {
      window = &progress;
      auto* poll = new QTimer(&progress);
      QObject::connect(poll, &QTimer::timeout, [&progress, &seen] {
        if (static_cast<CProgressDlg&>(progress).Permille() == 250) seen = true;
      });
      poll->start(5);
    });
    const bool finished = main.dialog.Work().Run("work", [&seen](WorkProgress& progress) {
      progress.Advance(1);
      progress.SetTotal(4);  // reports 1 of 4
      for (int wait = 0; wait < 5000 && !seen; ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    QVERIFY(finished);
    QVERIFY(seen);
    QVERIFY(window != nullptr);
    QCOMPARE(main.shell.Log(), QStringList{"ShowProgress work"});
    QVERIFY_THROWS_EXCEPTION(std::bad_alloc,
                             main.dialog.Work().Run("work", [](WorkProgress&) { throw std::bad_alloc(); }));
  }

  // The window goes on answering while a large file is imported: a timer that wants to fire every
  // 10 ms is never kept waiting long.
  void TheWindowAnswersWhileALargeFileIsImported() {
    test::MainWindow main;
    main.dialog.show();
    const QByteArray big = ManyNumbers(6'000'000);
    main.folder.Write("big.txt", big);

    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer ticks;
    ticks.setInterval(10);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
      longest = std::max(longest, clock.elapsed() - last);
      last = clock.elapsed();
    });
    ticks.start();
    clock.start();
    test::Import(main.dialog, main.shell, main.folder.PathOf("big.txt"));
    longest = std::max(longest, clock.elapsed() - last);
    qInfo("the import took %lld ms; the event loop waited at most %lld ms", clock.elapsed(), longest);

    QCOMPARE(main.shell.Log().filter("ShowMessage").last(),
             QStringLiteral("ShowMessage 共计导入6,000,000个接收号码！"));
    QVERIFY2(longest < 200, qPrintable(QStringLiteral("the event loop waited %1 ms").arg(longest)));
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::ProgressTest)
#include "progress_test.moc"
