#include <sys/fsuid.h>
#include <sys/stat.h>

#include <QMap>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>
#include <functional>

#include "res/resource_ids.h"
#include "tests/support/test_files.h"
#include "tests/ui/ui_test_support.h"

// Faults that a disk really produces, provoked for real and met end to end from the click: a full
// and a read-only file system, a file or folder gone between the prompt and its use, an input that
// is no regular file and one the user may not read. The user is told
// exactly what failed, and every file that was there before is as it was.

namespace zelvane {

namespace {

constexpr std::size_t kSmallDiskBytes = 64 * 1024;

// The scripted shell, except that the disk changes right after the next prompt is answered: what
// happens when a file or folder goes between the user's choice and its use.
class ShellChangingTheDisk final : public Shell {
 public:
  explicit ShellChangingTheDisk(ScriptedShell& scripted) : m_scripted(scripted) {}

  void ChangeAfterNextPrompt(std::function<void()> change) { m_change = std::move(change); }

  std::optional<std::filesystem::path> ChooseOpenFile(const FilePrompt& prompt) override {
    return Changed(m_scripted.ChooseOpenFile(prompt));
  }
  std::vector<std::filesystem::path> ChooseOpenFiles(const FilePrompt& prompt) override {
    return Changed(m_scripted.ChooseOpenFiles(prompt));
  }
  std::optional<SavedFile> ChooseSaveFile(const FilePrompt& prompt) override {
    return Changed(m_scripted.ChooseSaveFile(prompt));
  }
  std::optional<std::filesystem::path> ChooseFolder(std::string_view title) override {
    return Changed(m_scripted.ChooseFolder(title));
  }
  void ShowMessage(std::string_view text) override { m_scripted.ShowMessage(text); }
  bool AskYesNo(std::string_view question) override { return m_scripted.AskYesNo(question); }
  void ShowAppMessage(const QString& text) override { m_scripted.ShowAppMessage(text); }
  QAction* RunMenu(QMenu& menu, const QPoint& at) override { return m_scripted.RunMenu(menu, at); }
  int RunModal(QDialog& dialog) override { return m_scripted.RunModal(dialog); }
  void ShowProgress(QDialog& progress) override { m_scripted.ShowProgress(progress); }
  SettingsStore& Settings() override { return m_scripted.Settings(); }
  void SetWaitCursor() override { m_scripted.SetWaitCursor(); }
  void RestoreCursor() override { m_scripted.RestoreCursor(); }

 private:
  template <class Answer>
  Answer Changed(Answer answer) {
    if (m_change) std::exchange(m_change, nullptr)();
    return answer;
  }

  ScriptedShell& m_scripted;
  std::function<void()> m_change;
};

// Root may read any file: for as long as this lives, this thread meets file permissions as the
// ordinary user "nobody" would.
class AsNobody {
 public:
  AsNobody() : m_gid(::setfsgid(65534)), m_uid(::setfsuid(65534)) {}
  ~AsNobody() {
    ::setfsuid(m_uid);
    ::setfsgid(m_gid);
  }
  AsNobody(const AsNobody&) = delete;
  AsNobody& operator=(const AsNobody&) = delete;

 private:
  int m_gid;
  int m_uid;
};

// The messages the user was shown.
QStringList Messages(const ScriptedShell& shell) { return shell.Log().filter(QRegularExpression("^ShowMessage ")); }

// Every regular file in folder with its bytes.
QMap<QString, QByteArray> FilesIn(const std::filesystem::path& folder) {
  QMap<QString, QByteArray> files;
  for (const std::string& name : test::FileNamesIn(folder)) {
    if (std::filesystem::is_regular_file(folder / name))
      files.insert(QString::fromStdString(name), QByteArray::fromStdString(test::ReadFile(folder / name)));
  }
  return files;
}

// A window whose shell can change the disk, with folder/first.txt ("m1 u1") imported and the log cleared.
struct WindowWithNumbers {
  explicit WindowWithNumbers(const std::filesystem::path& folder) {
    test::WriteFile(folder / "first.txt", test::SampleFile("m1 u1").toStdString());
    test::Import(dialog, scripted, folder / "first.txt");
    status = test::Status(dialog);
    scripted.ClearLog();
  }

  ScriptedShell scripted;
  ShellChangingTheDisk shell{scripted};
  CClassifierDlg dialog{shell};
  QString status;
};

// count numbers of 移动, one a line: 13 bytes each.
std::string ManyNumbers(int count) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += std::to_string(13900000000 + i) + "\r\n";
  return bytes;
}

}  // namespace

class FaultInjectionTest : public QObject {
  Q_OBJECT

 private slots:
  // On a 64 KiB file system holding 移动.txt and old.txt, after an import of 130 KB of numbers.
  // target is what the prompt answers, relative to the file system; the message names each file of
  // failed (space-separated) with the reason.
  // clang-format off
  void ReportsAnOutputThatCannotBeWritten_data() {
    test::Columns<int, QString, QString, QString, QString>({"button", "fault", "target", "failed", "reason"});
    const int save = res::IDC_EXPORT, all = res::IDC_ONE_CLICK_EXPORT;
    const QString categoryFiles = "移动.txt 联通.txt 电信.txt 小灵通.txt 其他.txt";
    const QString removedFiles = "out/移动.txt out/联通.txt out/电信.txt out/小灵通.txt out/其他.txt";
    QTest::newRow("导出, full: replacing a file") << save << "full" << "old.txt" << "old.txt" << "磁盘空间不足";
    QTest::newRow("导出, read-only: a new file") << save << "read-only" << "new.txt" << "new.txt" << "文件系统是只读的";
    QTest::newRow("一键导出, read-only") << all << "read-only" << "" << categoryFiles << "文件系统是只读的";
    QTest::newRow("导出, its folder removed after the prompt")
        << save << "removed" << "out/new.txt" << "out/new.txt" << "文件或文件夹不存在";
    QTest::newRow("一键导出, the folder removed after the prompt")
        << all << "removed" << "out" << removedFiles << "文件或文件夹不存在";
  }
  // clang-format on

  void ReportsAnOutputThatCannotBeWritten() {
    QFETCH(int, button);
    QFETCH(QString, fault);
    QFETCH(QString, target);
    QFETCH(QString, failed);
    QFETCH(QString, reason);
    test::TemporaryFolder folder;
    test::WriteFile(folder / "numbers.txt", ManyNumbers(10000));
    const std::filesystem::path disk = folder / "disk";
    test::SmallFileSystem fileSystem(disk, kSmallDiskBytes);
    if (!fileSystem.mounted()) QSKIP("needs root to mount a tmpfs");
    test::WriteFile(disk / "old.txt", "old contents");
    test::WriteFile(disk / "移动.txt", "old contents");
    std::filesystem::create_directory(disk / "out");
    if (fault == "read-only") fileSystem.Remount(true);
    const QMap<QString, QByteArray> before = FilesIn(disk);

    ScriptedShell scripted;
    ShellChangingTheDisk shell(scripted);
    CClassifierDlg dialog(shell);
    test::Import(dialog, scripted, folder / "numbers.txt");
    scripted.ClearLog();
    scripted.AnswerNextPrompt(disk / target.toStdString());
    if (fault == "removed") shell.ChangeAfterNextPrompt([&] { std::filesystem::remove_all(disk / "out"); });
    test::AnswerSeparatorDialog(scripted, "");
    dialog.DlgItem<QPushButton>(button)->click();

    QStringList lines;
    for (const QString& file : failed.split(' '))
      lines << QStringLiteral("无法写入文件“%1”：%2").arg(PathText(disk / file.toStdString()), reason);
    QCOMPARE(Messages(scripted), QStringList{"ShowMessage " + lines.join(QLatin1Char('\n'))});
    QCOMPARE(scripted.WaitCursorDepth(), 0);
    QCOMPARE(FilesIn(disk), before);
  }

  // The list view, the status line and the input stay as they were; only the user is told.
  // clang-format off
  void ReportsAnInputThatCannotBeRead_data() {
    test::Columns<QString, QString>({"fault", "reason"});
    QTest::newRow("deleted after the prompt") << "deleted" << "文件或文件夹不存在";
    QTest::newRow("a FIFO") << "FIFO" << "这不是一个普通文件";
    QTest::newRow("not readable by the user") << "unreadable" << "没有访问权限";
  }
  // clang-format on

  void ReportsAnInputThatCannotBeRead() {
    QFETCH(QString, fault);
    QFETCH(QString, reason);
    test::TemporaryFolder folder;
    std::filesystem::permissions(folder.path(), std::filesystem::perms::all);  // open to nobody's search
    WindowWithNumbers window(folder.path());
    const std::filesystem::path input = folder / "input.txt";
    if (fault == "FIFO") {
      QCOMPARE(::mkfifo(input.c_str(), 0666), 0);
    } else {
      test::WriteFile(input, test::SampleFile("t h").toStdString());
      if (fault == "unreadable") std::filesystem::permissions(input, std::filesystem::perms::none);
    }
    QMap<QString, QByteArray> before = FilesIn(folder.path());
    if (fault == "deleted") before.remove("input.txt");

    if (fault == "deleted") window.shell.ChangeAfterNextPrompt([&] { std::filesystem::remove(input); });
    {
      std::optional<AsNobody> nobody;
      if (fault == "unreadable") nobody.emplace();
      test::Import(window.dialog, window.scripted, input);
    }

    QCOMPARE(Messages(window.scripted),
             QStringList{QStringLiteral("ShowMessage 无法读取文件“%1”：%2").arg(PathText(input), reason)});
    QCOMPARE(window.scripted.WaitCursorDepth(), 0);
    QCOMPARE(test::ShownNames(window.dialog), QStringLiteral("m1 u1"));
    QCOMPARE(test::Status(window.dialog), window.status);
    QCOMPARE(FilesIn(folder.path()), before);
  }

  // Memory that runs out in the middle of a command is reported; the program and its numbers stay.
  void ReportsMemoryRunningOut_data() {
    test::Columns<int>({"button"});
    QTest::newRow("导入") << int{res::IDC_IMPORT};
    QTest::newRow("导出") << int{res::IDC_EXPORT};
    QTest::newRow("一键导出") << int{res::IDC_ONE_CLICK_EXPORT};
  }

  void ReportsMemoryRunningOut() {
    QFETCH(int, button);
    test::TemporaryFolder folder;
    WindowWithNumbers window(folder.path());
    window.scripted.AnswerNextPrompt(folder / "out.txt");
    test::AnswerSeparatorDialog(window.scripted, "");
    window.shell.ChangeAfterNextPrompt([] { throw std::bad_alloc(); });
    window.dialog.DlgItem<QPushButton>(button)->click();

    QCOMPARE(Messages(window.scripted), QStringList{QStringLiteral("ShowMessage 内存不足，无法完成这个操作")});
    QCOMPARE(window.scripted.WaitCursorDepth(), 0);
    QCOMPARE(test::ShownNames(window.dialog), QStringLiteral("m1 u1"));
    QCOMPARE(test::Status(window.dialog), window.status);
    QCOMPARE(test::FileNamesIn(folder.path()), std::vector<std::string>{"first.txt"});
    test::Import(window.dialog, window.scripted, folder / "first.txt");
    QCOMPARE(test::ShownNames(window.dialog), QStringLiteral("m1 u1 m1 u1"));
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::FaultInjectionTest)
#include "fault_injection_test.moc"
