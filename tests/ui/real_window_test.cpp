#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QtTest>
#include <optional>

namespace zelvane {

namespace {

// The sanitized build starts and answers many times slower than the release build, the more so
// on a busy machine: each wait polls for a generous minute instead of guessing how long a step takes.
constexpr int kTimeoutMs = 60000;

// Runs xdotool; its output, or nothing when it failed or took too long.
std::optional<QString> Xdotool(const QStringList& arguments) {
  QProcess xdotool;
  xdotool.start(QStringLiteral("xdotool"), arguments);
  if (!xdotool.waitForFinished(kTimeoutMs) || xdotool.exitStatus() != QProcess::NormalExit || xdotool.exitCode() != 0) {
    return std::nullopt;
  }
  return QString::fromUtf8(xdotool.readAllStandardOutput()).trimmed();
}

// The first visible window whose title matches pattern, if there is one now.
std::optional<QString> FindWindow(const QString& pattern) {
  const std::optional<QString> found = Xdotool({"search", "--onlyvisible", "--name", pattern});
  if (!found || found->isEmpty()) return std::nullopt;
  return found->section(QLatin1Char('\n'), 0, 0);
}

// The first visible window whose title matches pattern, polled for until it appears.
std::optional<QString> WaitForWindow(const QString& pattern, int timeoutMs = kTimeoutMs) {
  const QDeadlineTimer deadline(timeoutMs);
  do {
    if (std::optional<QString> found = FindWindow(pattern)) return found;
    QTest::qWait(100);
  } while (!deadline.hasExpired());
  return std::nullopt;
}

// How many dark pixels the list's area holds: text on its light background.
int DarkPixelsInList(const QImage& screenshot) {
  int dark = 0;
  for (int y = 100; y < 540; y += 2) {
    for (int x = 20; x < 860; x += 2) dark += qGray(screenshot.pixel(x, y)) < 80 ? 1 : 0;
  }
  return dark;
}

// The whole screen beside the main window's screenshot, to see what a failed step left behind.
void SaveScreen() {
  const QString path =
      QStringLiteral(ZELVANE_SCREENSHOT_PATH).replace(QStringLiteral(".png"), QStringLiteral("-failed.png"));
  QGuiApplication::primaryScreen()->grabWindow(0).save(path);
  qWarning("screen saved to %s", qPrintable(path));
}

// A few hundred numbers of every category, as a user's file might hold them.
QByteArray NumberFile() {
  const char* prefixes[] = {"139", "186", "+86133", "0755", "138", "130", "86189", "955"};
  QByteArray bytes;
  for (int i = 0; i < 400; ++i) {
    bytes += prefixes[i % 8];
    bytes += QByteArray::number(10000000 + i * 7919 % 90000000).right(i % 8 == 3 ? 7 : 8);
    bytes += i % 5 == 4 ? "," : "\r\n";
  }
  return bytes;
}

}  // namespace

// A screenshot maker, with retries: the real program in a real X server imports a file through the
// file dialog, the message is confirmed, and the window is saved as a picture. Esc leaves the window
// open. It runs apart from the test suites (label "screenshot"), as its pace is the X server's.
class RealWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void ImportsAFileAndShowsItsNumbers() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) QSKIP("needs an X server: runs under xvfb-run");
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) QSKIP("needs xdotool");

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("numbers.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(NumberFile());
    file.close();

    QProcess program;
    // The program keeps its choices in the test's folder, never the user's, and starts as at first.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.filePath(QStringLiteral("config")));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ZELVANE_PATH), {});
    QVERIFY(program.waitForStarted());
    const std::optional<QString> window = WaitForWindow(QStringLiteral("^Zelvane V1\\.0$"));
    QVERIFY(window);

    // 导入 is at (14, 23), 63 x 28 pixels.
    QVERIFY(Xdotool({"mousemove", "--sync", "--window", *window, "45", "37", "click", "1"}));
    const QString promptTitle = QStringLiteral("选择要导入的号码文件");
    QVERIFY(WaitForWindow(promptTitle));
    // The file dialog may drop a name typed before it has read its folder, and Return may only close
    // the completer's pop-up: while the prompt stays open without an answer, type the path again.
    std::optional<QString> message;
    const QDeadlineTimer deadline(kTimeoutMs);
    for (int attempt = 0; !message && !deadline.hasExpired(); ++attempt) {
      if (const std::optional<QString> prompt = FindWindow(promptTitle)) {
        if (attempt > 0) qInfo("the prompt is still open: typing the path again");
        QVERIFY(Xdotool({"windowfocus", "--sync", *prompt}));
        QVERIFY(Xdotool({"key", "ctrl+a"}));
        QVERIFY(Xdotool({"type", "--delay", "5", path}));
        QVERIFY(Xdotool({"key", "Return"}));
      }
      message = WaitForWindow(QStringLiteral("^提示$"), 10000);
    }
    if (!message) SaveScreen();
    QVERIFY(message);
    QVERIFY(Xdotool({"windowfocus", "--sync", *message}));
    QVERIFY(Xdotool({"key", "Return"}));
    QTRY_VERIFY_WITH_TIMEOUT(!Xdotool({"search", "--onlyvisible", "--name", "^提示$"}), kTimeoutMs);
    // The window repaints once the message is gone; until then a screenshot may show the list empty.
    QImage screenshot;
    const auto listShowsText = [&] {
      screenshot = QGuiApplication::primaryScreen()->grabWindow(window->toULongLong()).toImage();
      return screenshot.size() == QSize(881, 575) && DarkPixelsInList(screenshot) > 500;
    };
    QTRY_VERIFY_WITH_TIMEOUT(listShowsText(), kTimeoutMs);
    QVERIFY(screenshot.save(QStringLiteral(ZELVANE_SCREENSHOT_PATH)));

    QVERIFY(Xdotool({"windowfocus", "--sync", *window}));
    QVERIFY(Xdotool({"key", "Escape"}));
    QTest::qWait(500);
    QVERIFY(FindWindow(QStringLiteral("^Zelvane V1\\.0$")));
    program.terminate();
    QVERIFY(program.waitForFinished(kTimeoutMs));
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::RealWindowTest)
#include "real_window_test.moc"
