#include "ui/qt_shell.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace zelvane {

namespace {

// Acts on the modal window that the next call opens, once it is up.
void WhenModalOpens(std::function<void(QWidget&)> act) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      act(*modal);
    }
  });
  timer->start();
}

}  // namespace

class QtShellTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsMessagesWithOneOkButton_data() {
    QTest::addColumn<bool>("ofTheProgram");
    QTest::addColumn<QString>("caption");
    QTest::newRow("a command's message") << false << "提示";
    QTest::newRow("the program's message") << true << QApplication::applicationName();
  }

  void ShowsMessagesWithOneOkButton() {
    QFETCH(bool, ofTheProgram);
    QFETCH(QString, caption);
    QtShell shell;
    QString seenCaption, seenText;
    QStringList buttons;
    WhenModalOpens([&](QWidget& modal) {
      auto& box = dynamic_cast<QMessageBox&>(modal);
      seenCaption = box.windowTitle();
      seenText = box.text();
      for (const QAbstractButton* button : box.buttons()) buttons << button->text();
      QTest::keyClick(&box, Qt::Key_Return);
    });
    const QString text = QStringLiteral("共计导入3个接收号码！");
    if (ofTheProgram) {
      shell.ShowAppMessage(text);
    } else {
      shell.ShowMessage(nullptr, text);
    }
    QCOMPARE(seenCaption, caption);
    QCOMPARE(seenText, text);
    QCOMPARE(buttons, QStringList{"确定"});
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::QtShellTest)
#include "qt_shell_test.moc"
