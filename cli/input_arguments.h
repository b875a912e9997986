#pragma once

#include <CLI/CLI.hpp>

#include <string>

#include "ops/number_input.h"

namespace zelvane::cli {

// The options that say how inputs are read: a workbook's --sheet, a table's --column, --extract.
struct InputOptions {
  std::string sheet;
  std::string column;
  bool extract = false;
};

void AddInputOptions(CLI::App& app, InputOptions& options);

// How the inputs are read; rounded cells are told on stderr, file by file.
InputReading ReadingOf(const InputOptions& options);

}  // namespace zelvane::cli
