// Times the desktop program's commands at scale, each from the click to the painted window:
//   zelvane_gui_bench [--numbers N] [--runs R] [--file PATH] [--compare-data DIR]
// It writes a number file of N numbers (default 10 million) unless given one, imports it R times
// into a fresh main dialog and runs `zelvane-cli classify` on it R times for the ratio, exports
// the shown list R times, then clicks the filter boxes, resizes the window and scrolls the list.
// Last it compares one million numbers against a one-million whitelist through 号码分析, both
// modes, against `zelvane-cli compare` on the same files (made by make_compare_data unless DIR
// holds them). Each line gives the median, the runs, and the item count, so that a fast wrong
// answer shows. Run it offscreen:
//   QT_QPA_PLATFORM=offscreen bench/gui/zelvane_gui_bench

#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include "bench/gui/bench_support.h"
#include "res/resource_ids.h"
#include "tests/doubles/scripted_shell.h"
#include "ui/qt/classifier_dlg.h"
#include "ui/qt/number_list_view.h"
#include "ui/qt/overview_pane.h"

namespace {

using zelvane::CClassifierDlg;
using zelvane::NumberListView;
using zelvane::ScriptedShell;
using zelvane::TemplateDialog;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double TimeMs(const std::function<void()>& work) {
  QElapsedTimer timer;
  timer.start();
  work();
  return timer.nsecsElapsed() / 1e6;
}

NumberListView& ListOf(CClassifierDlg& dialog) {
  return *dialog.DlgItem<NumberListView>(zelvane::res::IDC_NUMBER_LIST);
}

void Report(const char* what, const std::vector<double>& times, std::size_t items, const char* extra = "") {
  std::printf("%-44s median %9.2f ms  (%zu runs, max %.2f)  %zu items%s\n", what, Median(times), times.size(),
              *std::max_element(times.begin(), times.end()), items, extra);
}

std::filesystem::path PathOf(const QString& file) {
  return std::filesystem::path(QFile::encodeName(file).toStdString());
}

// Runs a program to the end, its standard output to a file; the wall time.
double TimeProgram(const QString& program, const QStringList& arguments, const QString& output) {
  QProcess process;
  process.setStandardOutputFile(output);
  const double ms = TimeMs([&] {
    process.start(program, arguments);
    process.waitForFinished(-1);
  });
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    qFatal("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
  }
  return ms;
}

std::size_t CountLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(path));
  return std::size_t(file.readAll().count('\n'));
}

// A click on a button of the main dialog, then the window painted.
double ClickButton(CClassifierDlg& dialog, int id) {
  return TimeMs([&] {
    dialog.DlgItem<QPushButton>(id)->click();
    dialog.repaint();
  });
}

// A click on the check box with this text, then the window painted.
double ClickBox(CClassifierDlg& dialog, const QString& text) {
  for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
    if (box->text() == text) {
      return TimeMs([&] {
        box->click();
        dialog.repaint();
      });
    }
  }
  qFatal("no box %s", qPrintable(text));
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QCommandLineParser parser;
  parser.addHelpOption();
  zelvane::bench::AddNumberFileOptions(parser);
  parser.addOption({"runs", "How many times each command runs.", "R", "3"});
  parser.addOption({"compare-data", "A folder with numbers-1m.txt and whitelist-1m.txt.", "DIR"});
  parser.process(application);
  const int runs = std::max(1, parser.value("runs").toInt());

  QTemporaryDir folder;
  const QString file = zelvane::bench::NumberFile(parser, folder);
  const double fileMiB = QFile(file).size() / double(1 << 20);
  std::printf("file %s: %.1f MiB\n", qPrintable(file), fileMiB);
  const double baseMiB = zelvane::bench::ResidentMiB();

  // Import: from the click on 导入 to the painted window, into a fresh dialog each time.
  ScriptedShell shell;
  std::unique_ptr<CClassifierDlg> dialog;
  std::vector<double> imports;
  double importedMiB = 0, peakMiB = 0;
  for (int run = 0; run < runs; ++run) {
    dialog.reset();
    dialog = std::make_unique<CClassifierDlg>(shell);
    dialog->show();
    QApplication::processEvents();
    dialog->repaint();  // the window as the user sees it before the click, fonts loaded
    shell.AnswerNextPrompt(std::filesystem::path(QFile::encodeName(file).toStdString()));
    imports.push_back(TimeMs([&] {
      dialog->DlgItem<QPushButton>(zelvane::res::IDC_IMPORT)->click();
      dialog->repaint();
    }));
    if (run == 0) {
      importedMiB = zelvane::bench::ResidentMiB();
      peakMiB = zelvane::bench::PeakResidentMiB();
    }
  }
  const std::size_t total = ListOf(*dialog).Model()->size();
  Report("import, first in the process", {imports.front()}, total);
  Report("import (click to painted list)", imports, total);

  std::vector<double> classify;
  for (int run = 0; run < runs; ++run) {
    QTemporaryDir out;
    QProcess cli;
    classify.push_back(TimeMs([&] {
      cli.start(ZELVANE_CLI_PATH, {"classify", "--out", out.path(), file});
      cli.waitForFinished(-1);
    }));
    if (cli.exitCode() != 0) qFatal("zelvane-cli classify failed: %s", cli.readAllStandardError().constData());
  }
  const QByteArray ratio = QByteArray(", import / classify: first ") +
                           QByteArray::number(imports.front() / Median(classify), 'f', 2) + ", median " +
                           QByteArray::number(Median(imports) / Median(classify), 'f', 2);
  Report("zelvane-cli classify (same file)", classify, total, ratio.constData());
  // Export of the shown list: from the click on 导出 (the separator dialog confirmed at once: CR LF) to
  // the message, against classify, which reads and sorts the numbers as well as writing them.
  const QString exported = folder.filePath("exported.txt");
  shell.HandleDialogsWith([](QDialog&) { return int(QDialog::Accepted); });
  std::vector<double> exports;
  for (int run = 0; run < runs; ++run) {
    shell.AnswerNextPrompt(PathOf(exported));
    exports.push_back(ClickButton(*dialog, zelvane::res::IDC_EXPORT));
    if (shell.Log().back() != QStringLiteral("ShowMessage 导出完毕"))
      qFatal("export failed: %s", qPrintable(shell.Log().back()));
  }
  const QByteArray exportRatio = ", " + QByteArray::number(QFile(exported).size() >> 20) + " MiB; export / classify " +
                                 QByteArray::number(Median(exports) / Median(classify), 'f', 2);
  Report("export of the shown list (click to message)", exports, ListOf(*dialog).Model()->size(),
         exportRatio.constData());
  QFile::remove(exported);

  std::printf(
      "memory: %.0f MiB before, %.0f MiB after the first import, peak %.0f MiB; file %.0f MiB: "
      "%.2f x the file (peak %.2f x)\n",
      baseMiB, importedMiB, peakMiB, fileMiB, (importedMiB - baseMiB) / fileMiB, peakMiB / fileMiB);

  // Filter clicks, each with the item count it leaves; the round ends as it began.
  const QStringList clicks = {"全部", "移动", "联通", "移动", "全部", "全部", "全部", "联通"};
  const char* names[] = {"clear 全部 (empty list)",  "tick 移动 (append)",
                         "tick 联通 (append)",       "clear 移动 (rebuild: 联通)",
                         "tick 全部 (rebuild: all)", "clear 全部 (rebuild: 联通)",
                         "tick 全部 (rebuild: all)", "clear 联通 under 全部 (no change)"};
  std::vector<std::vector<double>> clickTimes(clicks.size());
  std::vector<std::size_t> clickItems(clicks.size());
  for (int run = 0; run < runs; ++run) {
    for (qsizetype i = 0; i < clicks.size(); ++i) {
      clickTimes[i].push_back(ClickBox(*dialog, clicks[i]));
      clickItems[i] = ListOf(*dialog).Model()->size();
    }
  }
  for (qsizetype i = 0; i < clicks.size(); ++i) Report(names[i], clickTimes[i], clickItems[i]);

  // Resizing: the window between two sizes, laid out and painted.
  std::vector<double> resizes;
  for (int step = 0; step < 20; ++step) {
    const QSize size = step % 2 ? QSize(1000, 700) : QSize(1280, 960);
    resizes.push_back(TimeMs([&] {
      dialog->resize(size);
      while (dialog->size() != size) QApplication::processEvents();
      dialog->repaint();
    }));
  }
  Report("resize (laid out and painted)", resizes, ListOf(*dialog).Model()->size());

  // Scrolling: one column and one page at a time, the list painted after each.
  NumberListView& list = ListOf(*dialog);
  for (const auto& [what, action] : {std::pair{"scroll a column", QAbstractSlider::SliderSingleStepAdd},
                                     std::pair{"scroll a page", QAbstractSlider::SliderPageStepAdd}}) {
    std::vector<double> steps;
    for (int step = 0; step < 200; ++step) {
      steps.push_back(TimeMs([&] {
        list.horizontalScrollBar()->triggerAction(action);
        list.viewport()->repaint();
      }));
    }
    Report(what, steps, list.ShownItemCount());
  }
  std::vector<double> ends;
  for (int step = 0; step < 20; ++step) {
    ends.push_back(TimeMs([&] {
      list.horizontalScrollBar()->triggerAction(step % 2 ? QAbstractSlider::SliderToMinimum
                                                         : QAbstractSlider::SliderToMaximum);
      list.viewport()->repaint();
    }));
  }
  Report("scroll to the other end", ends, list.ShownItemCount());

  // Sorting again by today's table and back, from the choice to the painted window, against the import of
  // the same numbers; then 去除重复号码.
  auto& tables = *dialog->DlgItem<zelvane::COverviewPane>(zelvane::res::IDC_OVERVIEW)->TableChoice();
  std::vector<double> switches, switchesBack, dedupes;
  for (int run = 0; run < runs; ++run) {
    for (auto [entry, times] : {std::pair{int(zelvane::COverviewPane::kCurrentTable), &switches},
                                std::pair{int(zelvane::COverviewPane::kOriginalTable), &switchesBack}}) {
      times->push_back(TimeMs([&] {
        tables.setCurrentIndex(entry);
        emit tables.activated(entry);
        dialog->repaint();
      }));
    }
  }
  const QByteArray switchRatio = ", switch / import " + QByteArray::number(Median(switches) / Median(imports), 'f', 2);
  Report("prefix table: to 最新号段 (sorted again)", switches, ListOf(*dialog).Model()->size(),
         switchRatio.constData());
  Report("prefix table: back to 原始号段", switchesBack, ListOf(*dialog).Model()->size());
  // 号码统计: from the menu to its window painted with the table, the repeats counted on the way.
  std::vector<double> reports;
  for (int run = 0; run < runs; ++run) {
    QElapsedTimer clock;
    shell.HandleDialogsWith([&](QDialog& shown) {
      shown.show();
      shown.repaint();
      reports.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
      return int(QDialog::Accepted);
    });
    clock.start();
    dialog->ListMenu().actions()[4]->trigger();
  }
  shell.HandleDialogsWith([](QDialog&) { return int(QDialog::Accepted); });
  Report("号码统计 (menu to its window)", reports, ListOf(*dialog).Model()->size());
  for (int run = 0; run < runs; ++run) {
    dedupes.push_back(TimeMs([&] {
      dialog->ListMenu().actions()[3]->trigger();
      dialog->repaint();
    }));
  }
  Report("去除重复号码 (repeats removed)", {dedupes.front()}, ListOf(*dialog).Model()->size(),
         (", " + shell.Log().filter("去除了").front().toUtf8()).constData());
  if (dedupes.size() > 1)
    Report("去除重复号码 again (none left)", std::vector<double>(dedupes.begin() + 1, dedupes.end()),
           ListOf(*dialog).Model()->size());

  // Number analysis, 1M against 1M: from the click on 号码分析 (the dialog answered at once) to the
  // painted list, against `zelvane-cli compare` writing the same result to a file.
  QString compareData = parser.value("compare-data");
  if (compareData.isEmpty()) {
    compareData = folder.filePath("compare");
    QProcess make;
    make.start(ZELVANE_MAKE_COMPARE_DATA_PATH, {compareData});
    if (!make.waitForFinished(-1) || make.exitCode() != 0) qFatal("make_compare_data failed");
  }
  const QString numbers = compareData + "/numbers-1m.txt";
  const QString whitelist = compareData + "/whitelist-1m.txt";
  for (const auto& [mode, button, flag] : {std::tuple{"找相同", zelvane::res::IDC_FIND_SAME, "--same"},
                                           std::tuple{"找不同", zelvane::res::IDC_FIND_DIFFERENT, "--different"}}) {
    shell.HandleDialogsWith([button = button](QDialog& shown) {
      auto& analysis = static_cast<TemplateDialog&>(shown);
      analysis.DlgItem<QPushButton>(zelvane::res::IDC_PICK_FILE1)->click();
      analysis.DlgItem<QPushButton>(zelvane::res::IDC_PICK_FILE2)->click();
      analysis.DlgItem<QPushButton>(button)->click();
      return analysis.result();
    });
    std::vector<double> analyses, compares;
    for (int run = 0; run < runs; ++run) {
      shell.AnswerNextPrompt(PathOf(numbers));
      shell.AnswerNextPrompt(PathOf(whitelist));
      analyses.push_back(ClickButton(*dialog, zelvane::res::IDC_ANALYSIS));
      compares.push_back(
          TimeProgram(ZELVANE_CLI_PATH, {"compare", flag, numbers, whitelist}, folder.filePath("compared.txt")));
    }
    const QByteArray analysisRatio =
        QByteArray(", analysis / compare ") + QByteArray::number(Median(analyses) / Median(compares), 'f', 2);
    Report(qPrintable(QStringLiteral("号码分析 %1, 1M vs 1M (click to painted list)").arg(mode)), analyses,
           ListOf(*dialog).Model()->size(), analysisRatio.constData());
    Report(qPrintable(QStringLiteral("zelvane-cli compare %1 (same files)").arg(flag)), compares,
           CountLines(folder.filePath("compared.txt")));
  }
  return 0;
}
