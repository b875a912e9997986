#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QTemporaryDir>

namespace zelvane::bench {

// Memory of this process now and at its peak, in MiB.
double ResidentMiB();
double PeakResidentMiB();

// The options every desktop benchmark takes: --numbers N and --file PATH.
void AddNumberFileOptions(QCommandLineParser& parser);

// The --file given, or a realistic file of --numbers numbers made in folder by make_number_file and
// written back to disk, so that the write does not run beside what is timed.
QString NumberFile(const QCommandLineParser& parser, const QTemporaryDir& folder);

}  // namespace zelvane::bench
