#include "ops/publish_together.h"

namespace zelvane {

FileResult PublishTogether(std::span<std::unique_ptr<AtomicFileWriter>> writers) {
  FileResult failure;
  for (std::size_t i = 0; i < writers.size() && !failure; ++i) {
    if (!writers[i]) continue;
    failure = writers[i]->PublishUndoably();
    if (!failure) continue;
    for (std::size_t back = i; back-- > 0;) {
      if (writers[back]) writers[back]->Unpublish();
    }
  }
  for (auto& writer : writers) writer.reset();
  return failure;
}

}  // namespace zelvane
