#include <QPushButton>
#include <QtTest>

#include "res/resource_ids.h"
#include "tests/ui/ui_test_support.h"

namespace zelvane {

using test::SampleFile;

namespace {

const QString kSavePrompt = QStringLiteral("ChooseSaveFile 选择要导出的号码文件 文本文件(*.txt) txt");
const QString kFolderPrompt = QStringLiteral("ChooseFolder 所选择路径:   ");
const QStringList kCategoryFiles = {"移动.txt", "联通.txt", "电信.txt", "小灵通.txt", "其他.txt"};

void Click(CClassifierDlg& dialog, int button) { dialog.DlgItem<QPushButton>(button)->click(); }

// The log of an export whose prompt and separator dialog were answered, up to what it shows. Only
// the export of the shown list shows the wait cursor.
QStringList ExportLog(const QString& prompt, const QStringList& shown) {
  const QStringList cursor = prompt == kSavePrompt ? QStringList{"SetWaitCursor", "RestoreCursor"} : QStringList{};
  return QStringList{prompt, "RunModal 分割符"} + cursor + shown;
}

}  // namespace

class ExportTest : public QObject {
  Q_OBJECT

 private slots:
  // 移动 holds a b, 联通 c, 其他 d, imported as "a c b d"; the list shows what the clicks leave
  // and overwrites an existing file.
  void WritesTheShownNumbers_data() {
    QTest::addColumn<bool>("imported");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray a = test::SampleNumber("a"), b = test::SampleNumber("b"), c = test::SampleNumber("c"),
                     d = test::SampleNumber("d");
    QTest::newRow("nothing typed: CR LF") << true << QStringList{} << ""
                                          << "确定" << SampleFile("a c b d");
    QTest::newRow("a comma, by Enter") << true << QStringList{} << ","
                                       << "Enter" << a + "," + c + "," + b + "," + d + ",";
    QTest::newRow("one blank") << true << QStringList{} << " "
                               << "确定" << a + " " + c + " " + b + " " + d + " ";
    QTest::newRow("a two-byte character")
        << true << QStringList{} << "、"
        << "确定" << a + "\xA1\xA2" + c + "\xA1\xA2" + b + "\xA1\xA2" + d + "\xA1\xA2";
    QTest::newRow("typed, then Esc: CR LF") << true << QStringList{} << ","
                                            << "Esc" << SampleFile("a c b d");
    QTest::newRow("typed, then the close box: CR LF") << true << QStringList{} << ","
                                                      << "close box" << SampleFile("a c b d");
    QTest::newRow("an empty list: an empty file") << false << QStringList{} << ","
                                                  << "确定" << QByteArray();
    QTest::newRow("after the filter: what it shows, in its order") << true << QStringList{"全部", "其他", "移动"} << ","
                                                                   << "确定" << d + "," + a + "," + b + ",";
  }

  void WritesTheShownNumbers() {
    QFETCH(bool, imported);
    QFETCH(QStringList, clicks);
    QFETCH(QString, separator);
    QFETCH(QString, action);
    QFETCH(QByteArray, expected);
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    test::TestFolder folder;
    if (imported) test::Import(dialog, shell, folder.Write("numbers.txt", SampleFile("a c b d")));
    for (const QString& click : clicks) test::ClickBox(dialog, click);
    const QStringList shown = test::ShownNumbers(dialog);
    shell.ClearLog();

    shell.AnswerNextPrompt(folder.Write("out.txt", "old contents"));
    test::AnswerSeparatorDialog(shell, separator, action);
    Click(dialog, res::IDC_EXPORT);
    QCOMPARE(folder.Read("out.txt"), expected);
    QCOMPARE(shell.Log(), ExportLog(kSavePrompt, {"ShowMessage 导出完毕"}));
    QCOMPARE(test::ShownNumbers(dialog), shown);
  }

  // The file and the reason are named, "导出完毕" is not shown, and an old file stays as it was.
  void ReportsAFileThatCannotBeWritten_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QByteArray>("left");
    QTest::newRow("a read-only file") << "read-only.txt"
                                      << "没有访问权限" << QByteArray("old contents");
    QTest::newRow("a missing folder") << "missing/out.txt"
                                      << "文件或文件夹不存在" << QByteArray("<missing>");
  }

  void ReportsAFileThatCannotBeWritten() {
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QFETCH(QByteArray, left);
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    test::TestFolder folder;
    test::Import(dialog, shell, folder.Write("numbers.txt", SampleFile("a c")));
    std::filesystem::permissions(folder.Write("read-only.txt", "old contents"), std::filesystem::perms::owner_read);
    shell.ClearLog();

    shell.AnswerNextPrompt(folder.PathOf(name));
    test::AnswerSeparatorDialog(shell, "");
    Click(dialog, res::IDC_EXPORT);
    QCOMPARE(shell.Log(), ExportLog(kSavePrompt, {QStringLiteral("ShowMessage 无法写入文件“%1”：%2")
                                                      .arg(test::PathText(folder.PathOf(name)), reason)}));
    QCOMPARE(folder.Read(name), left);
  }

  // Before any import five empty files; afterwards each category's whole list, duplicates kept,
  // although the list shows nothing. A file that cannot be written is named after the others are
  // written.
  void WritesEveryCategoryToItsFile_data() {
    QTest::addColumn<QString>("folderPath");
    QTest::addColumn<int>("imports");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("readOnly");
    QTest::addColumn<QStringList>("files");
    const QStringList twice = {SampleFile("a b a b"), SampleFile("c c"), "", "", SampleFile("d d")};
    QTest::newRow("before any import: five empty files") << "out" << 0 << ""
                                                         << "" << QStringList(5, "");
    QTest::newRow("two imports: whole lists, duplicates in order") << "out" << 2 << ""
                                                                   << "" << twice;
    QTest::newRow("a comma") << "out" << 1 << ","
                             << ""
                             << QStringList{test::SampleNumber("a") + "," + test::SampleNumber("b") + ",",
                                            test::SampleNumber("c") + ",", "", "", test::SampleNumber("d") + ","};
    QTest::newRow("其他.txt read-only, the folder given like a drive root with its separator")
        << "out/" << 2 << ""
        << "其他.txt" << QStringList{twice[0], twice[1], "", "", "old contents"};
    QString deep = "out";
    for (int level = 0; level < 30; ++level) deep += QStringLiteral("/一个很长的文件夹名字%1").arg(level);
    QTest::newRow("a folder path of more than 256 bytes") << deep << 2 << ""
                                                          << "" << twice;
  }

  void WritesEveryCategoryToItsFile() {
    QFETCH(QString, folderPath);
    QFETCH(int, imports);
    QFETCH(QString, separator);
    QFETCH(QString, readOnly);
    QFETCH(QStringList, files);
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    test::TestFolder folder;
    const std::filesystem::path numbers = folder.Write("numbers.txt", SampleFile("a c b d"));
    for (int i = 0; i < imports; ++i) test::Import(dialog, shell, numbers);
    test::ClickBox(dialog, "全部");
    const std::filesystem::path out = folder.PathOf(folderPath);
    std::filesystem::create_directories(out);
    for (const QString& file : kCategoryFiles) folder.Write(folderPath + "/" + file, "old contents");
    if (!readOnly.isEmpty())
      std::filesystem::permissions(out / readOnly.toStdString(), std::filesystem::perms::owner_read);
    shell.ClearLog();

    shell.AnswerNextPrompt(out);
    test::AnswerSeparatorDialog(shell, separator);
    Click(dialog, res::IDC_ONE_CLICK_EXPORT);
    QStringList written;
    for (const QString& file : kCategoryFiles) written << folder.Read(folderPath + "/" + file);
    QCOMPARE(written, files);
    const QStringList shown = readOnly.isEmpty()
                                  ? QStringList{}
                                  : QStringList{QStringLiteral("ShowMessage 无法写入文件“%1”：没有访问权限")
                                                    .arg(test::PathText(folder.PathOf("out")) + "/" + readOnly)};
    QCOMPARE(shell.Log(), ExportLog(kFolderPrompt, shown));
    QVERIFY(test::ShownNumbers(dialog).isEmpty());
  }

  void DoesNothingWhenThePromptIsCancelled_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("prompt");
    QTest::newRow("导出") << res::IDC_EXPORT << kSavePrompt;
    QTest::newRow("一键导出") << res::IDC_ONE_CLICK_EXPORT << kFolderPrompt;
  }

  void DoesNothingWhenThePromptIsCancelled() {
    QFETCH(int, button);
    QFETCH(QString, prompt);
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    shell.AnswerNextPrompt(std::nullopt);
    Click(dialog, button);
    QCOMPARE(shell.Log(), QStringList{prompt});
  }

  // A separator with a character that GBK cannot hold is refused before anything is written.
  void RefusesASeparatorOutsideGbk_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("prompt");
    QTest::newRow("导出") << res::IDC_EXPORT << "out.txt" << kSavePrompt;
    QTest::newRow("一键导出") << res::IDC_ONE_CLICK_EXPORT << "." << kFolderPrompt;
  }

  void RefusesASeparatorOutsideGbk() {
    QFETCH(int, button);
    QFETCH(QString, target);
    QFETCH(QString, prompt);
    ScriptedShell shell;
    CClassifierDlg dialog(shell);
    test::TestFolder folder;
    shell.AnswerNextPrompt(folder.PathOf(target));
    test::AnswerSeparatorDialog(shell, QStringLiteral("，😀"));
    Click(dialog, button);
    QCOMPARE(shell.Log(), (QStringList{prompt, "RunModal 分割符", "ShowMessage 分割符中有无法用 GBK 编码表示的字符"}));
    QCOMPARE(QDir(test::PathText(folder.PathOf("."))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{});
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::ExportTest)
#include "export_test.moc"
