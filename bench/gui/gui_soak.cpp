// Holds more and more numbers in one window: imports one number file several times into the same
// main dialog, then clicks the filter boxes and exports the shown list. After each step it prints
// the time, the resident and peak memory, and the bytes each held number costs, so that growth
// beyond the linear shows; last it closes the dialog and prints what is resident then.
//   zelvane_gui_soak [--numbers N] [--imports K] [--file PATH]
// It writes a file of N numbers (default 10 million) with make_number_file unless given one, and
// imports it K times (default 5). Run it offscreen, under heaptrack for a leak check:
//   QT_QPA_PLATFORM=offscreen bench/gui/zelvane_gui_soak
//   QT_QPA_PLATFORM=offscreen heaptrack bench/gui/zelvane_gui_soak --numbers 1000000

#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <memory>
#include <numeric>

#include "bench/gui/bench_support.h"
#include "res/resource_ids.h"
#include "tests/doubles/scripted_shell.h"
#include "ui/qt/classifier_dlg.h"
#include "ui/qt/number_list_view.h"

namespace {

using zelvane::CClassifierDlg;
namespace res = zelvane::res;

std::uint64_t NumbersHeld(const CClassifierDlg& dialog) {
  const zelvane::CategoryCounts counts = dialog.Lists().Counts();
  return std::accumulate(counts.begin(), counts.end(), std::uint64_t{0});
}

std::size_t ItemsShown(CClassifierDlg& dialog) {
  return dialog.DlgItem<zelvane::NumberListView>(res::IDC_NUMBER_LIST)->Model()->size();
}

// Runs work, then paints the window; the milliseconds that took.
double TimedAndPainted(CClassifierDlg& dialog, const std::function<void()>& work) {
  QElapsedTimer timer;
  timer.start();
  work();
  dialog.repaint();
  return timer.nsecsElapsed() / 1e6;
}

void ClickBox(CClassifierDlg& dialog, const QString& text) {
  for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
    if (box->text() == text) return box->click();
  }
  qFatal("no box %s", qPrintable(text));
}

// The last thing the shell logged must be what a success shows.
void ExpectLastMessage(const zelvane::ScriptedShell& shell, const QString& message) {
  if (!shell.Log().back().startsWith("ShowMessage " + message)) qFatal("failed: %s", qPrintable(shell.Log().back()));
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QCommandLineParser parser;
  parser.addHelpOption();
  zelvane::bench::AddNumberFileOptions(parser);
  parser.addOption({"imports", "How many times the file is imported.", "K", "5"});
  parser.process(application);
  const int imports = std::max(1, parser.value("imports").toInt());

  QTemporaryDir folder;
  const QString file = zelvane::bench::NumberFile(parser, folder);
  std::printf("file %s: %.1f MiB\n", qPrintable(file), QFile(file).size() / double(1 << 20));

  zelvane::ScriptedShell shell;
  auto dialog = std::make_unique<CClassifierDlg>(shell);
  dialog->show();
  QApplication::processEvents();
  dialog->repaint();
  const double baseMiB = zelvane::bench::ResidentMiB();
  std::printf("before the first import: %.0f MiB resident\n", baseMiB);
  const auto report = [&](const QString& step, double ms) {
    const double resident = zelvane::bench::ResidentMiB();
    const std::uint64_t held = NumbersHeld(*dialog);
    std::printf(
        "%-28s %8.0f ms  %11llu numbers held  %11zu shown  resident %6.0f MiB  peak %6.0f MiB  "
        "%5.1f bytes per number\n",
        qPrintable(step), ms, static_cast<unsigned long long>(held), ItemsShown(*dialog), resident,
        zelvane::bench::PeakResidentMiB(), held ? (resident - baseMiB) * (1 << 20) / double(held) : 0.0);
  };

  for (int run = 1; run <= imports; ++run) {
    shell.AnswerNextPrompt(std::filesystem::path(QFile::encodeName(file).toStdString()));
    const double ms = TimedAndPainted(*dialog, [&] { dialog->DlgItem<QPushButton>(res::IDC_IMPORT)->click(); });
    ExpectLastMessage(shell, "共计导入");
    report(QStringLiteral("import %1").arg(run), ms);
  }
  for (const QString& box : QStringList{"全部", "移动", "联通", "电信"}) {
    report("click " + box, TimedAndPainted(*dialog, [&] { ClickBox(*dialog, box); }));
  }
  const QString exported = folder.filePath("exported.txt");
  shell.HandleDialogsWith([](QDialog&) { return int(QDialog::Accepted); });  // the separator confirmed: CR LF
  shell.AnswerNextPrompt(std::filesystem::path(QFile::encodeName(exported).toStdString()));
  const double exportMs = TimedAndPainted(*dialog, [&] { dialog->DlgItem<QPushButton>(res::IDC_EXPORT)->click(); });
  ExpectLastMessage(shell, "导出完毕");
  report(QStringLiteral("export (%1 MiB)").arg(QFile(exported).size() >> 20), exportMs);

  dialog.reset();
  std::printf("dialog closed: %.0f MiB resident\n", zelvane::bench::ResidentMiB());
  return 0;
}
