#include <QtTest>

#include "res/resource_ids.h"
#include "tests/support/process.h"
#include "tests/support/test_text.h"
#include "tests/ui/ui_test_support.h"
#include "ui/qt/resources.h"

namespace zelvane {

using test::SampleFile;

namespace {

const QString kSavePrompt = QStringLiteral(
    "ChooseSaveFile 选择要导出的号码文件 文本文件(*.txt);;Excel 工作簿(*.xlsx);;CSV 文件(*.csv);;"
    "MD5 值(*.txt);;SHA-256 值(*.txt);;隐藏中间四位(*.txt) txt");

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
    const QStringList written = cancelled + QStringList{"SetWaitCursor", "RestoreCursor", "ShowMessage 导出完毕"};
    QCOMPARE(window.shell.Log(), file == "old contents" ? cancelled : written);
    QCOMPARE(test::ShownNumbers(window.dialog), shown);
  }

  // clang-format off
  // 按地区导出 through its menu: every number in import order, a file per province or per city; a menu
  // closed unseen asks nothing more.
  void WritesAFilePerArea_data() {
    test::Columns<QString, QStringList, QStringList>({"item", "names", "files"});
    QTest::newRow("by province: the municipality at the top")
        << "按省份导出(&P)" << QStringList{"北京市.txt", "未知地区.txt"}
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
