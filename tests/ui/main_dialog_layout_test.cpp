#include <QCheckBox>
#include <QtTest>

#include "res/resource_ids.h"
#include "tests/ui/ui_test_support.h"

namespace zelvane {

namespace {

// The places of the list, the status line and the overview pane: as the template puts them (dialog
// units through base units 6 x 12, each edge rounded half away from zero; the status line as wide as
// the list, so that its totals are never cut off), and in a client area of 1000 x 700.
using Rects = QList<QRect>;
const Rects kTemplateLayout = {QRect(14, 93, 855, 453), QRect(14, 555, 855, 14), QRect(545, 11, 322, 73)};
const Rects kLayout1000x700 = {QRect(15, 100, 970, 575), QRect(14, 680, 970, 14), QRect(663, 11, 322, 73)};

Rects Layout(const CClassifierDlg& dialog) {
  Rects rects;
  for (int id : {res::IDC_NUMBER_LIST, res::IDC_STATUS, res::IDC_OVERVIEW}) rects << dialog.GetDlgItem(id)->geometry();
  return rects;
}

}  // namespace

class MainDialogLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  // Check boxes keep the template's place and centre line, with room for their indicator.
  // clang-format off
  void GivesCheckBoxesRoomAboutTheirCentreLine_data() {
    test::Columns<QString, QRect>({"text", "rect"});
    QTest::newRow("全部") << "全部" << QRect(14, 66, 46, 12);
    QTest::newRow("移动") << "移动" << QRect(69, 66, 47, 14);
  }
  // clang-format on

  void GivesCheckBoxesRoomAboutTheirCentreLine() {
    QFETCH(QString, text);
    QFETCH(QRect, rect);
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    const QCheckBox* box = test::Box(dialog, text);
    QVERIFY(box);
    const QRect geometry = box->geometry();
    QCOMPARE(geometry.left(), rect.left());
    QCOMPARE(geometry.width(), rect.width());
    QVERIFY(qAbs(geometry.center().y() - rect.center().y()) <= 1);
    QVERIFY(geometry.height() >= box->sizeHint().height());
  }

  void IgnoresTheFirstSize() {
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    dialog.OnSize(1000, 700);
    QCOMPARE(Layout(dialog), kTemplateLayout);
  }

  // The list, status line and overview pane after a size event; the buttons and check boxes never
  // move. The window cannot be made smaller than its template, where the pane would cover the buttons.
  // clang-format off
  void LaysOutForTheClientSize_data() {
    test::Columns<QSize, QSize, Rects>({"asked", "client", "layout"});
    QTest::newRow("maximised to 1000 x 700") << QSize(1000, 700) << QSize(1000, 700) << kLayout1000x700;
    QTest::newRow("smaller than the template") << QSize(20, 100) << QSize(881, 575) << kTemplateLayout;
  }
  // clang-format on

  void LaysOutForTheClientSize() {
    QFETCH(QSize, asked);
    QFETCH(QSize, client);
    QFETCH(Rects, layout);
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QRect importButton = dialog.GetDlgItem(res::IDC_IMPORT)->geometry();
    dialog.resize(asked);
    QTRY_COMPARE(dialog.size(), client);
    QCOMPARE(Layout(dialog), layout);
    QCOMPARE(dialog.GetDlgItem(res::IDC_IMPORT)->geometry(), importButton);
  }

  // Minimising lays out for a client area of nothing; restoring leaves no trace of it.
  void RestoresTheLayoutAfterMinimising() {
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.resize(1000, 700);
    QTRY_COMPARE(dialog.size(), QSize(1000, 700));
    dialog.OnSize(0, 0);
    QCOMPARE(dialog.GetDlgItem(res::IDC_NUMBER_LIST)->size(), QSize(0, 0));
    dialog.OnSize(1000, 700);
    QCOMPARE(Layout(dialog), kLayout1000x700);

    dialog.showMinimized();
    dialog.showNormal();
    QTRY_VERIFY(dialog.isVisible() && !dialog.isMinimized());
    QCOMPARE(Layout(dialog), kLayout1000x700);
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::MainDialogLayoutTest)
#include "main_dialog_layout_test.moc"
