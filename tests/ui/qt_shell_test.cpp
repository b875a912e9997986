#include "ui/qt_shell.h"

#include <QFileDialog>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace zelvane {

namespace {

// Acts on the modal window of this kind that opens while the object lives, once it is up. Scoped, so
// an answer that was never needed cannot outlive the test and act on a later one's window.
template <class Window>
class WhenModalOpens {
 public:
  explicit WhenModalOpens(std::function<void(Window&)> act) {
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, [this, act = std::move(act)] {
      if (auto* modal = qobject_cast<Window*>(QApplication::activeModalWidget())) {
        m_timer.stop();
        act(*modal);
      }
    });
    m_timer.start();
  }

 private:
  QTimer m_timer;
};

}  // namespace

class QtShellTest : public QObject {
  Q_OBJECT

 private slots:
  // The export's prompt is a save prompt that adds .txt to a name typed without it and asks before it
  // replaces a file. (Driving the real prompt's question is at the mercy of its folder loading, so the
  // test reads the settings that make the prompt behave so.)
  void AsksBeforeReplacingAFile() {
    QtShell shell;
    QStringList seen;
    const WhenModalOpens<QFileDialog> answerPrompt([&](QFileDialog& prompt) {
      seen << prompt.windowTitle() << prompt.nameFilters() << prompt.defaultSuffix()
           << (prompt.acceptMode() == QFileDialog::AcceptSave ? "saves" : "opens")
           << (prompt.testOption(QFileDialog::DontConfirmOverwrite) ? "replaces unasked" : "asks before replacing");
      prompt.reject();
    });
    QVERIFY(!shell.ChooseSaveFile(nullptr, "选择要导出的号码文件", "文本文件(*.txt)", "txt"));
    QCOMPARE(seen, (QStringList{"选择要导出的号码文件", "文本文件(*.txt)", "txt", "saves", "asks before replacing"}));
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::QtShellTest)
#include "qt_shell_test.moc"
