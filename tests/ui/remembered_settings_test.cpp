// Choices kept between starts, in Qt's settings: the store itself, and a second window over the
// settings the first one left. The settings live in a temporary folder of the test, never the user's.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QtTest>
#include <climits>
#include <memory>
#include <vector>

#include "res/resource_ids.h"
#include "tests/ui/ui_test_support.h"
#include "ui/logic/analysis_choice.h"
#include "ui/qt/analysis_dlg.h"
#include "ui/qt/overview_pane.h"
#include "ui/qt/qt_settings_store.h"
#include "ui/qt/separator_dlg.h"

namespace zelvane {

namespace {

COverviewPane& Pane(const CClassifierDlg& dialog) { return *dialog.DlgItem<COverviewPane>(res::IDC_OVERVIEW); }

// The entries of a choice, the chosen one in brackets.
QStringList Entries(const QComboBox& choice) {
  QStringList entries;
  for (int i = 0; i < choice.count(); ++i) {
    entries << (i == choice.currentIndex() ? "[" + choice.itemText(i) + "]" : choice.itemText(i));
  }
  return entries;
}

// A start of the program: a main window over the settings the test gives it.
struct Start {
  ScriptedShell shell;
  std::unique_ptr<CClassifierDlg> dialog;
  explicit Start(SettingsStore& settings) {
    shell.KeepSettingsIn(settings);
    dialog = std::make_unique<CClassifierDlg>(shell);
  }
  // The user picks the last entry of a choice (载入…) and the prompt answers with file.
  void Load(QComboBox& choice, const std::filesystem::path& file) {
    shell.AnswerNextPrompt(file);
    const int last = choice.count() - 1;
    choice.setCurrentIndex(last);
    emit choice.activated(last);
  }
};

}  // namespace

class RememberedSettingsTest : public QObject {
  Q_OBJECT

  QTemporaryDir m_settings;

 private slots:
  void initTestCase() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path()); }

  void init() { QSettings(QStringLiteral("Zelvane"), QStringLiteral("Zelvane")).clear(); }

  // Text comes back byte for byte from the file, whatever an INI file would make of it; numbers
  // at their limits; a value of the other kind is nothing.
  void KeepsTextAndNumbersInTheUsersSettingsFile() {
    const std::string texts[] = {"",          ",",   "\t",         " 前后有空格 ", "，",   "@String(x)",
                                 "a;b=c",     "\\n", "\"quoted\"", "号段 表.txt",  "\r\n", "#not a comment",
                                 "\xff\xfe名"};  // not UTF-8: a Linux file name's own bytes
    const std::int64_t numbers[] = {0, -1, 1, INT_MAX, static_cast<std::int64_t>(INT_MAX) + 1, INT64_MIN, INT64_MAX};
    {
      QtSettingsStore store;
      for (std::size_t i = 0; i < std::size(texts); ++i) store.SetText("text" + std::to_string(i), texts[i]);
      for (std::size_t i = 0; i < std::size(numbers); ++i) store.SetNumber("number" + std::to_string(i), numbers[i]);
      store.SetText("notANumber", "12a");
    }
    QVERIFY(QFile::exists(m_settings.filePath(QStringLiteral("Zelvane/Zelvane.conf"))));
    const QtSettingsStore store;  // read back from the file
    for (std::size_t i = 0; i < std::size(texts); ++i) {
      QCOMPARE(store.Text("text" + std::to_string(i)), std::optional(texts[i]));
    }
    for (std::size_t i = 0; i < std::size(numbers); ++i) {
      QCOMPARE(store.Number("number" + std::to_string(i)), std::optional(numbers[i]));
    }
    QCOMPARE(store.Number("notANumber"), std::nullopt);
    QCOMPARE(store.Number("never written"), std::nullopt);
    QCOMPARE(store.Text("never written"), std::nullopt);
  }

  // A second start shows the table files the first one left in use, chosen; a file gone since gives
  // way to the built-in table and the status line says so.
  void SecondStartShowsTheTablesTheFirstLeft() {
    QFETCH(bool, filesGone);
    test::TestFolder folder;
    const std::filesystem::path prefixes = folder.Write("号段.txt", "139\t联通\n");
    const std::filesystem::path areas = folder.Write("归属地.txt", "1390000 测试省 测试市\n");
    QtSettingsStore settings;
    {
      Start first(settings);
      first.Load(*Pane(*first.dialog).TableChoice(), prefixes);
      first.Load(*Pane(*first.dialog).AreaTableChoice(), areas);
      first.dialog->close();
    }
    if (filesGone) {
      QVERIFY(QFile::remove(PathText(prefixes)));
      QVERIFY(QFile::remove(PathText(areas)));
    }
    Start second(settings);
    const COverviewPane& pane = Pane(*second.dialog);
    if (filesGone) {
      QCOMPARE(Entries(*pane.TableChoice()), (QStringList{"[原始号段（2009）]", "最新号段（2026）", "载入号段表…"}));
      QCOMPARE(Entries(*pane.AreaTableChoice()), (QStringList{"[内置归属地]", "载入归属地表…"}));
      QVERIFY2(test::Status(*second.dialog).endsWith("，已改用内置归属地"), qPrintable(test::Status(*second.dialog)));
    } else {
      QCOMPARE(Entries(*pane.TableChoice()),
               (QStringList{"原始号段（2009）", "最新号段（2026）", "[号段.txt]", "载入号段表…"}));
      QCOMPARE(Entries(*pane.AreaTableChoice()), (QStringList{"内置归属地", "[归属地.txt]", "载入归属地表…"}));
      QCOMPARE(second.shell.Log(), QStringList{});  // no prompt, no message
    }
    test::Import(*second.dialog, second.shell, folder.Write("numbers.txt", test::SampleFile("m1")));
    QCOMPARE(test::Status(*second.dialog).contains("联通1个"), !filesGone);
  }
  void SecondStartShowsTheTablesTheFirstLeft_data() {
    QTest::addColumn<bool>("filesGone");
    QTest::newRow("files there") << false;
    QTest::newRow("files gone") << true;
  }

  // The window opens where it was closed while a screen shows it, maximised again if it was; else where
  // a first start opens it.
  void SecondStartOpensWhereTheFirstWasClosed() {
    QFETCH(QPoint, offset);
    QFETCH(bool, maximized);
    QFETCH(bool, restored);
    QtSettingsStore settings;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QRect closed;
    QRect firstStart;
    {
      Start first(settings);
      firstStart = first.dialog->geometry();
      first.dialog->show();
      closed = QRect(screen.topLeft() + offset, first.dialog->minimumSize());
      first.dialog->setGeometry(closed);
      if (maximized) first.dialog->showMaximized();
      first.dialog->close();
    }
    Start second(settings);
    QCOMPARE(second.dialog->geometry(), restored ? closed : firstStart);
    QCOMPARE(second.dialog->windowState().testFlag(Qt::WindowMaximized), maximized);
  }
  void SecondStartOpensWhereTheFirstWasClosed_data() {
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("maximized");
    QTest::addColumn<bool>("restored");
    QTest::newRow("on the screen") << QPoint(10, 20) << false << true;
    QTest::newRow("on the screen, maximised") << QPoint(10, 20) << true << true;
    QTest::newRow("off every screen") << QPoint(-20000, 20) << false << false;
  }

  // The separator dialog opens with the separator offered, selected so that typing replaces it; 号码分析
  // with the files of its choice and the focus on the button of its mode.
  void DialogsOpenWithWhatWasLeft() {
    CSeparatorDlg separator(QStringLiteral("，"));
    const auto* edit = separator.DlgItem<QLineEdit>(res::IDC_SEPARATOR_EDIT);
    QCOMPARE(edit->text(), QStringLiteral("，"));
    QCOMPARE(edit->selectedText(), QStringLiteral("，"));

    test::TestFolder folder;
    const std::filesystem::path one = folder.Write("一.txt", "13900000001\n");
    const std::filesystem::path two = folder.Write("二 2.txt", "13900000001\n");
    ScriptedShell shell;
    for (const ComparisonMode mode : {ComparisonMode::FindSame, ComparisonMode::FindDifferent}) {
      AnalysisChoice choice(ComparisonRequest{one, two, mode});
      CAnalysisDlg analysis(shell, choice);
      analysis.show();
      QCOMPARE(analysis.DlgItem<QLineEdit>(res::IDC_FILE1_EDIT)->text(), PathText(one));
      QCOMPARE(analysis.DlgItem<QLineEdit>(res::IDC_FILE2_EDIT)->text(), PathText(two));
      const int button = mode == ComparisonMode::FindSame ? res::IDC_FIND_SAME : res::IDC_FIND_DIFFERENT;
      QCOMPARE(analysis.focusWidget(), analysis.GetDlgItem(button));
    }
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::RememberedSettingsTest)
#include "remembered_settings_test.moc"
