#pragma once

#include <cstdint>
#include <filesystem>
#include <new>
#include <string_view>
#include <vector>

#include "core/first_occurrences.h"
#include "core/normalize_number.h"
#include "core/number_scanner.h"
#include "ops/classify_files.h"

namespace zelvane {

// The bytes of all inputs, or 0 when one is a stream (or cannot be sized now, and fails later).
std::uint64_t InputBytes(const std::vector<std::filesystem::path>& inputs);

// Reads the job's inputs in order and hands receive each number, normalised, with its category; with
// job.unique only its first occurrence. job.progress advances by the bytes read.
template <class Receiver>
FileResult ForEachNumberOfJob(const ClassifyJob& job, Receiver&& receive) {
  if (job.progress) job.progress->SetTotal(InputBytes(job.inputs));
  FirstOccurrences firsts;
  for (const std::filesystem::path& input : job.inputs) {
    NumberScanner scanner;
    const auto classify = [&](std::string_view token) {
      const std::string_view number = NormalizeNumber(token);
      if (job.unique && !firsts.Admit(number)) return;
      receive(number, job.table->Classify(number));
    };
    FileResult error;
    try {
      error = ReadInput(
          input, InputKinds::AnyStream, job.reading, [&](std::string_view piece) { scanner.Feed(piece, classify); },
          job.progress);
      if (!error) scanner.Finish(classify);
    } catch (const std::bad_alloc&) {
      error = OutOfMemoryError(input);  // the repeats' table, with unique, or what receive keeps
    }
    if (error) return error;
  }
  return std::nullopt;
}

}  // namespace zelvane
