#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "ops/area_split.h"

namespace zelvane::cli {

// How classify splits the numbers: by carrier alone (the five category files), or by home area, then
// carrier when byCarrier.
struct ClassifyBy {
  std::optional<AreaLevel> area;
  bool byCarrier = true;
};

// Adds the --by option: carrier (the default), province, city, province,carrier or city,carrier.
CLI::Option* AddClassifyByOption(CLI::App& app, std::string& argument);

// What argument says, or nothing with problem filled in.
std::optional<ClassifyBy> ParseClassifyBy(std::string_view argument, std::string& problem);

}  // namespace zelvane::cli
