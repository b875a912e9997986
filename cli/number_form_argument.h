#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

#include "ops/number_form.h"

namespace zelvane::cli {

// --hash md5|sha256 and --mask, of the commands that write numbers.
struct NumberFormOptions {
  std::string hash;
  bool mask = false;
};

void AddNumberFormOptions(CLI::App& app, NumberFormOptions& options);

// The form the options ask for (Plain when neither is given), or nothing with problem saying why.
std::optional<NumberForm> ParseNumberForm(const NumberFormOptions& options, std::string& problem);

}  // namespace zelvane::cli
