// Times the desktop program's commands at scale, each from the click to the painted window:
//   zelvane_gui_bench [--numbers N] [--runs R] [--file PATH]
// It writes a number file of N numbers (default 10 million) unless given one, imports it R times
// into a fresh main dialog and runs `zelvane-cli classify` on it R times for the ratio, then
// clicks the filter boxes, resizes the window and scrolls the list. Each line gives the median,
// the runs, and the item count, so that a fast wrong answer shows. Run it offscreen:
//   QT_QPA_PLATFORM=offscreen bench/gui/zelvane_gui_bench

#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "res/resource_ids.h"
#include "ui/classifier_dlg.h"
#include "ui/number_list_view.h"
#include "ui/scripted_shell.h"

namespace {

using zelvane::CClassifierDlg;
using zelvane::NumberListView;
using zelvane::ScriptedShell;

// About 13 bytes a line, as real files: mobiles of the three carriers with and without a country
// code, area-code numbers and service numbers, with mixed line ends and commas.
void WriteNumberFile(const QString& path, long long count) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
  std::mt19937 random(42);
  const char* prefixes[] = {"139", "186", "153", "182", "0755", "+86139", "86138", "95588", "130", "189"};
  QByteArray chunk;
  for (long long i = 0; i < count; ++i) {
    chunk += prefixes[random() % 10];
    for (int digit = 0; digit < 8; ++digit) chunk += char('0' + random() % 10);
    chunk += i % 3 == 0 ? "\r\n" : (i % 3 == 1 ? "\n" : ",");
    if (chunk.size() > (1 << 20)) {
      file.write(chunk);
      chunk.clear();
    }
  }
  file.write(chunk);
  file.flush();
  ::fsync(file.handle());  // written back now, not while the import is timed
}

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

double ResidentMiB() {
  long pages = 0, resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * double(sysconf(_SC_PAGESIZE)) / (1 << 20);
}

double PeakResidentMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

NumberListView& ListOf(CClassifierDlg& dialog) {
  return *dialog.DlgItem<NumberListView>(zelvane::res::IDC_NUMBER_LIST);
}

void Report(const char* what, const std::vector<double>& times, std::size_t items, const char* extra = "") {
  std::printf("%-44s median %9.2f ms  (%zu runs, max %.2f)  %zu items%s\n", what, Median(times), times.size(),
              *std::max_element(times.begin(), times.end()), items, extra);
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
  parser.addOption({"numbers", "How many numbers the generated file holds.", "N", "10000000"});
  parser.addOption({"runs", "How many times each command runs.", "R", "3"});
  parser.addOption({"file", "A number file to use instead of a generated one.", "PATH"});
  parser.process(application);
  const int runs = std::max(1, parser.value("runs").toInt());

  QTemporaryDir folder;
  QString file = parser.value("file");
  if (file.isEmpty()) {
    file = folder.filePath("numbers.txt");
    WriteNumberFile(file, parser.value("numbers").toLongLong());
  }
  const double fileMiB = QFile(file).size() / double(1 << 20);
  std::printf("file %s: %.1f MiB\n", qPrintable(file), fileMiB);
  const double baseMiB = ResidentMiB();

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
      importedMiB = ResidentMiB();
      peakMiB = PeakResidentMiB();
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
  return 0;
}
