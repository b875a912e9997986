// The overview pane: the choice of prefix table, which sorts every number again, and the chart.

#include <QAbstractItemView>
#include <QComboBox>
#include <QStyleOptionComboBox>
#include <QtTest>

#include "res/resource_ids.h"
#include "tests/ui/ui_test_support.h"
#include "ui/logic/main_window_layout.h"
#include "ui/qt/category_chart.h"
#include "ui/qt/overview_pane.h"

namespace zelvane {

namespace {

COverviewPane& Pane(const CClassifierDlg& dialog) { return *dialog.DlgItem<COverviewPane>(res::IDC_OVERVIEW); }

// The user picks an entry of the table choice.
void Choose(const CClassifierDlg& dialog, int entry) {
  QComboBox& tables = *Pane(dialog).TableChoice();
  tables.setCurrentIndex(entry);
  emit tables.activated(entry);
}

QStringList Entries(const CClassifierDlg& dialog) {
  QStringList entries;
  for (int i = 0; i < Pane(dialog).TableChoice()->count(); ++i) entries << Pane(dialog).TableChoice()->itemText(i);
  return entries;
}

}  // namespace

class OverviewTest : public QObject {
  Q_OBJECT

 private slots:
  void OffersTheTablesAndChartsTheCounts() {
    test::MainWindow window;
    QCOMPARE(Pane(window.dialog).TableChoice()->accessibleName(), QStringLiteral("号段表"));
    QCOMPARE(Entries(window.dialog), (QStringList{"原始号段（2009）", "最新号段（2026）", "载入号段表…"}));
    QCOMPARE(Pane(window.dialog).Chart()->accessibleDescription(),
             QStringLiteral("移动0个，联通0个，电信0个，小灵通0个，其他0个"));
    window.ImportSamples("m1 u1 h o o");
    QCOMPARE(Pane(window.dialog).Chart()->accessibleDescription(),
             QStringLiteral("移动1个，联通1个，电信0个，小灵通1个，其他2个"));
  }

  // Each choice says what it chooses in its tooltip, and the area choice's drop-down is as wide as its
  // widest entry, however narrow the choice itself.
  void ChoicesSayWhatTheyChooseAndShowWholeEntries() {
    test::MainWindow window;
    COverviewPane& pane = Pane(window.dialog);
    QCOMPARE(pane.TableChoice()->toolTip(), FromUtf8(kTableChoiceTip));
    QCOMPARE(pane.AreaTableChoice()->toolTip(), FromUtf8(kAreaTableChoiceTip));
    QCOMPARE(pane.AreaChoice()->toolTip(), FromUtf8(kAreaChoiceTip));
    // The table choices show each fixed entry whole when it is chosen ("原始号段（2009）" was cut to "原始号段（200"),
    // also in the narrowest window.
    window.dialog.resize(window.dialog.minimumSize());
    window.dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.dialog));
    for (QComboBox* choice : {pane.TableChoice(), pane.AreaTableChoice()}) {
      for (int entry = 0; entry < choice->count(); ++entry) {
        choice->setCurrentIndex(entry);
        QStyleOptionComboBox option;
        option.initFrom(choice);
        option.currentText = choice->currentText();
        const QRect field =
            choice->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, choice);
        QVERIFY2(field.width() >= choice->fontMetrics().horizontalAdvance(choice->currentText()),
                 qPrintable(choice->currentText()));
      }
      choice->setCurrentIndex(0);
    }
    window.ImportSamples("m1 h u1 a a o");
    // A table of one's own whose city's name is longer than the choice is wide.
    window.shell.AnswerNextPrompt(
        window.folder.Write("areas.txt", "138\t广东省\t佛山市、顺德市、中山市、江门市、珠海市\n"));
    QComboBox& tables = *pane.AreaTableChoice();
    tables.setCurrentIndex(tables.count() - 1);
    emit tables.activated(tables.count() - 1);
    QComboBox& areas = *pane.AreaChoice();
    const int guangdong = static_cast<int>(areas.findText(QStringLiteral("广东省 (2)")));
    areas.setCurrentIndex(guangdong);
    emit areas.activated(guangdong);
    QCOMPARE(areas.itemText(guangdong + 1), QStringLiteral("　佛山市、顺德市、中山市、江门市、珠海市 (2)"));
    int widest = 0;
    for (int i = 0; i < areas.count(); ++i) {
      widest = std::max(widest, areas.fontMetrics().horizontalAdvance(areas.itemText(i)));
    }
    QVERIFY(widest > areas.width());
    QVERIFY(areas.view()->minimumWidth() > widest);
  }

  // The area choices in the pane reach the window's logic: a province narrows the list and opens to
  // its cities, a single selected number tells its carrier and area in the status line.
  void ChoosesAnAreaAndTellsTheSelectedNumbers() {
    test::MainWindow window;
    QComboBox& areas = *Pane(window.dialog).AreaChoice();
    QCOMPARE(Pane(window.dialog).AreaTableChoice()->itemText(0), QStringLiteral("内置归属地"));
    window.ImportSamples("m1 h u1 a a o");
    QStringList entries;
    for (int i = 0; i < areas.count(); ++i) entries << areas.itemText(i);
    QCOMPARE(entries.mid(0, 2), (QStringList{"全部地区", "北京市 (2)"}));  // ties follow the table
    QCOMPARE(entries.size(), 6);
    QCOMPARE(entries.back(), QStringLiteral("未知地区 (1)"));
    const int guangdong = static_cast<int>(entries.indexOf("广东省 (1)"));
    areas.setCurrentIndex(guangdong);
    emit areas.activated(guangdong);
    QCOMPARE(test::ShownNames(window.dialog), QStringLiteral("h"));
    QCOMPARE(areas.itemText(guangdong + 1), QStringLiteral("　深圳市 (1)"));
    test::Press(window.dialog.DlgItem<NumberListView>(res::IDC_NUMBER_LIST), "Home");
    QCOMPARE(test::Status(window.dialog), QStringLiteral("07550000001：小灵通，广东省深圳市"));
  }

  // The table choice reaches the window logic (which decides the order, tested there) and the status
  // line follows. A table file: a good one is used and named in the choice; a bad one is refused with
  // the file and the line named, and the table in use stays, as does a cancelled prompt.
  void LoadsTableFiles() {
    test::MainWindow window;
    window.ImportSamples("m1 x o");
    const std::filesystem::path bad = window.folder.Write("bad.txt", "# mine\n139 移动\n139 联通\n");
    const std::filesystem::path good = window.folder.Write("mine.txt", "182 联通\n139 电信\n");
    const QString prompt = QStringLiteral("ChooseOpenFile 选择号段表文件 文本文件(*.txt)");
    const int load = 2;

    window.shell.AnswerNextPrompt(std::nullopt);
    Choose(window.dialog, load);
    window.shell.AnswerNextPrompt(bad);
    Choose(window.dialog, load);
    QCOMPARE(window.shell.Log().mid(4),
             (QStringList{prompt, prompt, "ShowMessage 号段表“" + PathText(bad) + "”第3行：号段139重复（第2行已有）"}));
    QCOMPARE(Pane(window.dialog).TableChoice()->currentIndex(), int(COverviewPane::kOriginalTable));
    QCOMPARE(test::ShownNames(window.dialog), QStringLiteral("m1 x o"));

    window.shell.AnswerNextPrompt(good);
    Choose(window.dialog, load);
    QCOMPARE(Entries(window.dialog), (QStringList{"原始号段（2009）", "最新号段（2026）", "mine.txt", "载入号段表…"}));
    QCOMPARE(Pane(window.dialog).TableChoice()->currentIndex(), 2);
    const QString mine = QStringLiteral("当前共有3个号码，移动0个，联通1个，电信1个，小灵通0个，其他1个");
    QCOMPARE(test::Status(window.dialog), mine);
    Choose(window.dialog, COverviewPane::kCurrentTable);
    QCOMPARE(test::Status(window.dialog),
             QStringLiteral("当前共有3个号码，移动2个，联通0个，电信0个，小灵通0个，其他1个"));
    Choose(window.dialog, 2);  // the loaded table again, without a prompt
    QCOMPARE(test::Status(window.dialog), mine);
    Choose(window.dialog, COverviewPane::kOriginalTable);
    QCOMPARE(test::Status(window.dialog),
             QStringLiteral("当前共有3个号码，移动1个，联通0个，电信0个，小灵通0个，其他2个"));
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::OverviewTest)
#include "overview_test.moc"
