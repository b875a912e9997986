#pragma once

#include <memory>
#include <span>

#include "core/file_error.h"
#include "ops/atomic_file_writer.h"

namespace zelvane {

// Replaces the target of every finished writer (null ones are skipped) in order, all or nothing: when a
// target cannot be replaced, the ones replaced before it get their old contents back (on file systems
// that can swap two files, as local ones can). Every writer is gone on return, and with it the old files
// or the unused new ones. The first failure.
FileResult PublishTogether(std::span<std::unique_ptr<AtomicFileWriter>> writers);

}  // namespace zelvane
