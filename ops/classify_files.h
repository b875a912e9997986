#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/category_lists.h"
#include "core/file_error.h"
#include "core/prefix_table.h"
#include "core/work_progress.h"
#include "ops/atomic_file_writer.h"
#include "ops/number_file_format.h"
#include "ops/number_input.h"
#include "ops/number_output.h"

namespace zelvane {

// What zelvane-cli classify does: the numbers of the inputs, in order, sorted into the five category
// files of a folder (or by home area: area_classify.h), each followed by the separator.
struct ClassifyJob {
  std::vector<std::filesystem::path> inputs;  // files, pipes, or "-" for standard input
  std::filesystem::path folder;
  std::string separator;
  const PrefixTable* table = &PrefixTable::Original();
  bool unique = false;  // only the first occurrence of each number
  // Advances by the bytes read, of the inputs' total when all are regular files; once it asks to stop,
  // nothing is replaced and ClassifyFiles returns CancelledError.
  WorkProgress* progress = nullptr;
  InputReading reading = {};                         // workbooks' sheets and columns, numbers inside text
  NumberFileFormat format = NumberFileFormat::Text;  // the files' format and extension
  NumberForm form = NumberForm::Plain;               // the numbers as they are, hashed or masked

  NumberFileStyle style() const { return {format, form}; }
};

// Runs the job: the five files are replaced together once every input was read and every file is on
// disk, or none is. counts receives the numbers that went to each, written (when given) what became of
// those not written as they are (NumberOutput).
FileResult ClassifyFiles(const ClassifyJob& job, CategoryCounts& counts, NumberOutputCounts* written = nullptr);

}  // namespace zelvane
