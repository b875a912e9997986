#include "bench/gui/bench_support.h"

#include <sys/resource.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <cstdio>

namespace zelvane::bench {

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

void AddNumberFileOptions(QCommandLineParser& parser) {
  parser.addOption({"numbers", "How many numbers the generated file holds.", "N", "10000000"});
  parser.addOption({"file", "A number file to use instead of a generated one.", "PATH"});
}

QString NumberFile(const QCommandLineParser& parser, const QTemporaryDir& folder) {
  if (parser.isSet("file")) return parser.value("file");
  const QString file = folder.filePath("numbers.txt");
  if (QProcess::execute(ZELVANE_MAKE_NUMBER_FILE_PATH, {parser.value("numbers"), file}) != 0) {
    qFatal("make_number_file failed");
  }
  QFile written(file);
  if (written.open(QIODevice::ReadOnly)) ::fsync(written.handle());
  return file;
}

}  // namespace zelvane::bench
