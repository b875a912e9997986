#include <QLabel>
#include <QtTest>
#include <memory>

#include "tests/ui/ui_test_support.h"
#include "ui/analysis_dlg.h"
#include "ui/separator_dlg.h"

namespace zelvane {

// The separator and analysis dialogs as their templates give them: caption, size, the controls in
// template order at their pixel places, every text whole, and Tab visiting the ones that take input
// in that order from the one focused at the start (the separator's edit, so that typing goes there).
class CommandDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void OpensLikeItsTemplate_data() {
    test::Columns<QStringList, QStringList>({"looks", "tabOrder"});
    QTest::newRow("分割符") << QStringList{"分割符", "335x194", "default button 确定@131,162,75,21",
                                           "自定义分割符：@29,63,87,12", "edit@122,59,129,19",
                                           "不输入则默认回车换行分割@122,98,190,12"}
                            << QStringList{"edit", "default button 确定"};
    QTest::newRow("号码分析")
        << QStringList{"号码分析", "389x254", "read-only edit@105,51,176,20", "button 选择@293,48,64,23",
                       "read-only edit@105,93,176,20", "button 选择@293,90,64,23",
                       "号码文件1：@30,54,67,12",  // a pixel wider: its text fits
                       "号码文件2：@30,96,67,12", "button 找相同@101,200,79,24", "button 找不同@209,200,79,24",
                       "查找两个号码文件中相同的号码或不同的号码@99,134,249,12"}
        << QStringList{"read-only edit", "button 选择", "read-only edit", "button 选择", "button 找相同",
                       "button 找不同"};
  }

  void OpensLikeItsTemplate() {
    QFETCH(QStringList, looks);
    QFETCH(QStringList, tabOrder);
    ScriptedShell shell;
    std::unique_ptr<TemplateDialog> dialog;
    if (looks.front() == "分割符") {
      dialog = std::make_unique<CSeparatorDlg>();
    } else {
      dialog = std::make_unique<CAnalysisDlg>(shell);
    }
    QCOMPARE(test::DescribeDialog(*dialog), looks);
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
      QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), qPrintable(label->text()));
    }

    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    QStringList visited;
    for (qsizetype i = 0; i <= tabOrder.size(); ++i) {
      visited << test::DescribeControl(*QApplication::focusWidget()).section('@', 0, 0);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, tabOrder + QStringList{tabOrder.front()});
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::CommandDialogsTest)
#include "command_dialogs_test.moc"
