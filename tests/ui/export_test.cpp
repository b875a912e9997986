#include <QtTest>

#include "res/resource_ids.h"
#include "tests/support/process.h"
#include "tests/support/test_text.h"
#include "tests/ui/ui_test_support.h"
#include "ui/qt/resources.h"

namespace zelvane {

using test::SampleFile;

namespace {

const QString kSavePrompt =
    QStringLiteral("ChooseSaveFile 选择要导出的号码文件 文本文件(*.txt);;Excel 工作簿(*.xlsx);;CSV 文件(*.csv);;"
                   "MD5 值(*.txt);;SHA-256 值(*.txt);;隐藏中间四位(*.txt) txt");
const QString kFolderPrompt = QStringLiteral("ChooseFolder 所选择路径:   ");

// The log of an export whose prompt, format (for a folder) and separator dialog were answered, up to
// what it shows. Only the export of the shown list shows the wait cursor.
QStringList ExportLog(const QString& prompt, const QStringList& shown) {
  const bool list = prompt == kSavePrompt;
  const QStringList cursor = list ? QStringList{"SetWaitCursor", "RestoreCursor"} : QStringList{};
  const QStringList format = list ? QStringList{} : QStringList{"RunModal 导出格式"};
  return QStringList{prompt} + format + QStringList{"RunModal 分割符"} + cursor + shown;
}

}  // namespace

class ExportTest : public QObject {
  Q_OBJECT

 private slots:
  // 移动 holds a b, 联通 c, 其他 d, imported as "a c b d"; the export writes what the list shows over an
  // existing file, with the separator dialog answered by 确定 or Enter; Esc and the close box cancel it
  // and the file keeps its bytes.
  // clang-format off
  void WritesTheShownNumbers_data() {
    test::Columns<QString, QString, QByteArray>({"separator", "action", "file"});
    QTest::newRow("nothing typed: CR LF") << "" << "确定" << SampleFile("a c b d");
    QTest::newRow("a comma, by Enter") << "," << "Enter" << SampleFile("a c b d", ",");
    QTest::newRow("typed, then Esc: cancelled") << "," << "Esc" << QByteArray("old contents");
    QTest::newRow("typed, then the close box: cancelled") << "," << "close box" << QByteArray("old contents");
  }
  // clang-format on

  void WritesTheShownNumbers() {
    QFETCH(QString, separator);
    QFETCH(QString, action);
    QFETCH(QByteArray, file);
    test::MainWindow window;
    window.ImportSamples("a c b d");
    const QStringList shown = test::ShownNumbers(window.dialog);
    window.shell.ClearLog();

    window.shell.AnswerNextPrompt(window.folder.Write("out.txt", "old contents"));
    test::AnswerSeparatorDialog(window.shell, separator, action);
    window.Click(res::IDC_EXPORT);
    QCOMPARE(window.folder.Read("out.txt"), file);
    const QStringList cancelled = {kSavePrompt, "RunModal 分割符"};
    QCOMPARE(window.shell.Log(), file == "old contents" ? cancelled : ExportLog(kSavePrompt, {"ShowMessage 导出完毕"}));
    QCOMPARE(test::ShownNumbers(window.dialog), shown);
  }

  // The file and the reason are named, "导出完毕" is not shown, and the old file stays as it was.
  void ReportsAFileThatCannotBeWritten() {
    test::MainWindow window;
    window.ImportSamples("a c");
    const std::filesystem::path path = window.folder.Write("read-only.txt", "old contents");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    window.shell.ClearLog();

    window.shell.AnswerNextPrompt(path);
    test::AnswerSeparatorDialog(window.shell, "");
    window.Click(res::IDC_EXPORT);
    const QString message = QStringLiteral("ShowMessage 无法写入文件“%1”：没有访问权限").arg(PathText(path));
    QCOMPARE(window.shell.Log(), ExportLog(kSavePrompt, {message}));
    QCOMPARE(window.folder.Read("read-only.txt"), QByteArray("old contents"));
  }

  // Each category's whole list, duplicates kept, although the list shows nothing. A file that cannot
  // be written is named after the others are written.
  // clang-format off
  void WritesEveryCategoryToItsFile_data() {
    test::Columns<QString, QString, QStringList>({"folderPath", "readOnly", "files"});
    const QStringList twice = {SampleFile("a b a b"), SampleFile("c c"), "", "", SampleFile("d d")};
    QTest::newRow("two imports: whole lists, duplicates in order") << "out" << "" << twice;
    QTest::newRow("其他.txt read-only, the folder given like a drive root with its separator")
        << "out/" << "其他.txt" << QStringList{twice[0], twice[1], "", "", "old contents"};
  }
  // clang-format on

  void WritesEveryCategoryToItsFile() {
    QFETCH(QString, folderPath);
    QFETCH(QString, readOnly);
    QFETCH(QStringList, files);
    test::MainWindow window;
    window.ImportSamples("a c b d");
    window.ImportSamples("a c b d");
    test::ClickBoxes(window.dialog, "全部");
    const std::filesystem::path out = window.folder.PathOf(folderPath);
    std::filesystem::create_directories(out);
    for (std::string_view file : test::kCategoryFileNames)
      window.folder.Write(folderPath + "/" + FromUtf8(file), "old contents");
    if (!readOnly.isEmpty())
      std::filesystem::permissions(out / readOnly.toStdString(), std::filesystem::perms::owner_read);
    window.shell.ClearLog();

    window.shell.AnswerNextPrompt(out);
    test::AnswerSeparatorDialog(window.shell, "");
    window.Click(res::IDC_ONE_CLICK_EXPORT);
    QStringList written;
    for (std::string_view file : test::kCategoryFileNames)
      written << window.folder.Read(folderPath + "/" + FromUtf8(file));
    QCOMPARE(written, files);
    const QStringList shown = readOnly.isEmpty()
                                  ? QStringList{}
                                  : QStringList{QStringLiteral("ShowMessage 无法写入文件“%1”：没有访问权限")
                                                    .arg(PathText(window.folder.PathOf("out")) + "/" + readOnly)};
    QCOMPARE(window.shell.Log(), ExportLog(kFolderPrompt, shown));
    QVERIFY(test::ShownNumbers(window.dialog).isEmpty());
  }

  // clang-format off
  // 按地区导出 through its menu: every number in import order, a file per province or per city; a menu
  // closed unseen asks nothing more.
  void WritesAFilePerArea_data() {
    test::Columns<QString, QStringList, QStringList>({"item", "names", "files"});
    QTest::newRow("by province: the municipality at the top")
        << "按省份导出(&P)" << QStringList{"北京市.txt", "未知地区.txt"}
        << QStringList{SampleFile("a c b", ","), SampleFile("d", ",")};
    QTest::newRow("by city: 北京市 is its own city") << "按城市导出(&C)" << QStringList{"北京市.txt", "未知地区.txt"}
                                                   << QStringList{SampleFile("a c b", ","), SampleFile("d", ",")};
    QTest::newRow("menu closed") << "" << QStringList{} << QStringList{};
  }
  // clang-format on

  void WritesAFilePerArea() {
    QFETCH(QString, item);
    QFETCH(QStringList, names);
    QFETCH(QStringList, files);
    test::MainWindow window;
    window.ImportSamples("a c b d");
    const std::filesystem::path out = window.folder.PathOf("areas");
    std::filesystem::create_directories(out);
    window.shell.ClearLog();
    if (!item.isEmpty()) window.shell.AnswerNextMenu(item);
    window.shell.AnswerNextPrompt(out);
    test::AnswerSeparatorDialog(window.shell, ",");
    window.Click(res::IDC_AREA_EXPORT);
    QCOMPARE(window.shell.Log().front(), QStringLiteral("RunMenu 按省份导出(&P)|按城市导出(&C)"));
    QCOMPARE(window.shell.Log().size(), item.isEmpty() ? 1 : 4);  // the menu, the folder, the format, the separator
    QStringList written;
    for (const auto& entry : std::filesystem::directory_iterator(out))
      written << FromUtf8(entry.path().filename().string());
    written.sort();
    QCOMPARE(written, names);
    for (qsizetype i = 0; i < names.size(); ++i) QCOMPARE(window.folder.Read("areas/" + names[i]), files[i].toLatin1());
  }

  // A cancelled prompt ends the export; a separator with a character that GBK cannot hold is refused.
  // Either way nothing is written (each button's other case is the window logic's).
  // clang-format off
  void WritesNothingWhenStopped_data() {
    test::Columns<int, QString, QStringList>({"button", "target", "log"});
    const QStringList refused = {"RunModal 分割符", "ShowMessage 分割符中有无法用 GBK 编码表示的字符"};
    QTest::newRow("一键导出, prompt cancelled") << res::IDC_ONE_CLICK_EXPORT << "" << QStringList{kFolderPrompt};
    QTest::newRow("导出, a separator outside GBK")
        << res::IDC_EXPORT << "out.txt" << QStringList{kSavePrompt} + refused;
  }
  // clang-format on

  void WritesNothingWhenStopped() {
    QFETCH(int, button);
    QFETCH(QString, target);
    QFETCH(QStringList, log);
    test::MainWindow window;
    window.shell.AnswerNextPrompt(target.isEmpty() ? std::nullopt : std::optional(window.folder.PathOf(target)));
    test::AnswerSeparatorDialog(window.shell, QStringLiteral("，😀"));
    window.Click(button);
    QCOMPARE(window.shell.Log(), log);
    QCOMPARE(QDir(PathText(window.folder.PathOf("."))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{});
  }

  // A separator typed in the window and one given on the command line become the same bytes, and
  // both refuse a character that GBK cannot hold (U+E000, which some tables map to AA A1).
  // clang-format off
  void EncodesSeparatorsAsTheCommandLineDoes_data() {
    test::Columns<QString, QByteArray>({"separator", "written"});
    QTest::newRow("a full-width comma") << "，" << QByteArray("\xA3\xAC");
    QTest::newRow("letters and a blank") << "ab " << QByteArray("ab ");
    QTest::newRow("U+E000: refused") << QString(QChar(0xE000)) << QByteArray();
  }
  // clang-format on

  void EncodesSeparatorsAsTheCommandLineDoes() {
    QFETCH(QString, separator);
    QFETCH(QByteArray, written);
    test::MainWindow window;
    window.ImportSamples("a");
    std::filesystem::create_directory(window.folder.PathOf("gui"));
    window.shell.AnswerNextPrompt(window.folder.PathOf("gui"));
    test::AnswerSeparatorDialog(window.shell, separator);
    window.Click(res::IDC_ONE_CLICK_EXPORT);
    const auto cli = test::RunCli({"classify", "--out", "cli", "--separator", separator.toStdString(), "numbers.txt"},
                                  window.folder.PathOf("."));
    if (written.isEmpty()) {
      QCOMPARE(window.shell.Log().back(), "ShowMessage " + LoadString(res::IDS_SEPARATOR_NOT_GBK));
      QCOMPARE(cli.exitCode, 2);
      QVERIFY(cli.err.find("分隔符中有无法用 GBK 编码表示的字符") != std::string::npos);
    } else {
      QCOMPARE(window.folder.Read("gui/移动.txt"), test::SampleNumber("a") + written);
      QCOMPARE(cli.exitCode, 0);
      QCOMPARE(window.folder.Read("cli/移动.txt"), test::SampleNumber("a") + written);
    }
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::ExportTest)
#include "export_test.moc"
