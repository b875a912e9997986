#include "ui/qt/qt_shell.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "ui/logic/export_kinds.h"
#include "ui/logic/main_window_view.h"
#include "ui/logic/remembered_choices.h"
#include "ui/qt/qt_settings_store.h"

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

  QTemporaryDir m_settings;  // the settings of this test, never the user's

 private slots:
  void initTestCase() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path()); }

  // The first prompt opens in the current folder, each later one in the folder last used, in this start
  // or the one before (a second shell over the same settings) while that folder is there; a name typed
  // without an extension into the save prompt gets .txt.
  void OpensWhereTheLastPromptLeftOff() {
    QTemporaryDir elsewhere;
    QtSettingsStore settings;
    QtShell shell(settings);
    QStringList folders;
    std::optional<SavedFile> saved;
    {
      const WhenModalOpens<QFileDialog> answer([&](QFileDialog& prompt) {
        folders << prompt.directory().absolutePath();
        prompt.selectFile(elsewhere.filePath(QStringLiteral("out")));
        QMetaObject::invokeMethod(&prompt, "accept");  // the prompt's own button
      });
      saved = shell.ChooseSaveFile(ExportPrompt());
    }
    QCOMPARE(saved->path, std::filesystem::path(QFile::encodeName(elsewhere.filePath("out.txt")).toStdString()));
    for (int prompt = 0; prompt < 2; ++prompt) {
      const WhenModalOpens<QFileDialog> answer([&](QFileDialog& shown) {
        folders << shown.directory().absolutePath();
        shown.reject();
      });
      QVERIFY(prompt == 0 ? !shell.ChooseOpenFile(kImportPrompt) : !shell.ChooseFolder(kOneClickExportFolderTitle));
    }
    const QString there = QDir(elsewhere.path()).absolutePath();
    QCOMPARE(folders, (QStringList{QDir::currentPath(), there, there}));

    for (const bool folderGone : {false, true}) {
      if (folderGone) QVERIFY(elsewhere.remove());
      QtSettingsStore settingsNextStart;
      QtShell nextStart(settingsNextStart);
      QString opened;
      const WhenModalOpens<QFileDialog> answer([&](QFileDialog& shown) {
        opened = shown.directory().absolutePath();
        shown.reject();
      });
      QVERIFY(!nextStart.ChooseOpenFile(kImportPrompt));
      QCOMPARE(opened, folderGone ? QDir::currentPath() : there);
    }
  }

  // The save prompt tells which type was chosen (by the user, in its list of types), and a name typed
  // without an extension gets that type's.
  void TellsTheTypeChosen_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("name");
    QTest::newRow("文本文件") << 0 << "out.txt";
    QTest::newRow("Excel 工作簿") << 1 << "out.xlsx";
    QTest::newRow("CSV 文件") << 2 << "out.csv";
  }

  void TellsTheTypeChosen() {
    QFETCH(int, type);
    QFETCH(QString, name);
    QTemporaryDir folder;
    QtSettingsStore settings;
    // Opened in a small folder, which it lists at once.
    RememberedChoices(settings).SetPromptFolder(QFile::encodeName(folder.path()).toStdString(), true);
    QtShell shell(settings);
    const WhenModalOpens<QFileDialog> answer([&](QFileDialog& prompt) {
      auto* types = prompt.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
      for (int step = 0; step < type; ++step) QTest::keyClick(types, Qt::Key_Down);
      // The name typed into the prompt's own field (after an earlier prompt, selectFile may leave it
      // empty); answered again until it closes, as it may take the name only once it listed its folder.
      (void)QTest::qWaitFor(
          [&] {
            prompt.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("out"));
            QMetaObject::invokeMethod(&prompt, "accept");
            return !prompt.isVisible();
          },
          10000);
    });
    const std::optional<SavedFile> saved = shell.ChooseSaveFile(ExportPrompt());
    QVERIFY(saved);
    QCOMPARE(saved->path, std::filesystem::path(QFile::encodeName(folder.filePath(name)).toStdString()));
    QCOMPARE(saved->filter, std::size_t(type));
  }

  // The import's prompt takes several files at once and gives them in the order named.
  void ChoosesSeveralFilesAtOnce() {
    QTemporaryDir folder;
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) QFile(folder.filePath(name)).open(QIODevice::WriteOnly);
    QtSettingsStore settings;
    RememberedChoices(settings).SetPromptFolder(QFile::encodeName(folder.filePath("a.txt")).toStdString(), false);
    QtShell shell(settings);
    // The prompt lists its folder in the background and takes the names only once it knows them:
    // answered again until it closes.
    const WhenModalOpens<QFileDialog> answer([&](QFileDialog& prompt) {
      (void)QTest::qWaitFor(
          [&prompt] {
            prompt.selectFile(QStringLiteral("\"c.txt\" \"a.txt\""));
            QMetaObject::invokeMethod(&prompt, "accept");
            return !prompt.isVisible();
          },
          10000);
    });
    const std::vector<std::filesystem::path> chosen = shell.ChooseOpenFiles(kImportPrompt);
    QCOMPARE(chosen, (std::vector<std::filesystem::path>{QFile::encodeName(folder.filePath("c.txt")).toStdString(),
                                                         QFile::encodeName(folder.filePath("a.txt")).toStdString()}));
  }

  // 是 answers yes; 否, Esc and Enter (否 is the default) answer no.
  void AsksYesOrNo_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("yes");
    QTest::newRow("是") << "是" << true;
    QTest::newRow("否") << "否" << false;
    QTest::newRow("Esc") << "Esc" << false;
    QTest::newRow("Enter") << "Enter" << false;
  }

  void AsksYesOrNo() {
    QFETCH(QString, action);
    QFETCH(bool, yes);
    QtSettingsStore settings;
    QtShell shell(settings);
    QString caption;
    const WhenModalOpens<QMessageBox> answer([&](QMessageBox& box) {
      caption = box.windowTitle();
      if (action == "Esc" || action == "Enter") {
        QTest::keyClick(&box, action == "Esc" ? Qt::Key_Escape : Qt::Key_Return);
        return;
      }
      for (QAbstractButton* button : box.buttons()) {
        if (button->text() == action) button->click();
      }
    });
    QCOMPARE(shell.AskYesNo("确定要清空全部3个号码吗？"), yes);
    QCOMPARE(caption, QStringLiteral("提示"));
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::QtShellTest)
#include "qt_shell_test.moc"
