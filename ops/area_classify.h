#pragma once

#include <cstdint>
#include <vector>

#include "core/file_error.h"
#include "ops/area_split.h"
#include "ops/classify_files.h"

namespace zelvane {

// What the numbers of a split by home area are held in before they are written: at most 256 MiB (or
// the default memory budget, when lower) in memory, the rest in a temporary file without a name in the
// output folder.
std::uint64_t AreaClassifyMemory();

// Runs the job with the numbers split as split says: a file for every file number that took numbers,
// written beside its target, and all replaced together once every input was read and every file is on
// disk, or none is. counts receives the numbers of each file number (0 for those not written), written
// (when given) what became of those not written as they are (NumberOutput).
FileResult ClassifyFilesByArea(const ClassifyJob& job, const AreaSplit& split, std::vector<std::uint64_t>& counts,
                               std::uint64_t memory = AreaClassifyMemory(), NumberOutputCounts* written = nullptr);

}  // namespace zelvane
