#include "cli/classify_by_argument.h"

#include <array>
#include <utility>

namespace zelvane::cli {

CLI::Option* AddClassifyByOption(CLI::App& app, std::string& argument) {
  return app
      .add_option("--by", argument,
                  "分类方式：carrier（按运营商，默认）、province、city（按归属地的省份、城市），"
                  "province,carrier 或 city,carrier（归属地再分运营商）")
      ->type_name("方式");
}

std::optional<ClassifyBy> ParseClassifyBy(std::string_view argument, std::string& problem) {
  static constexpr std::array<std::pair<std::string_view, ClassifyBy>, 5> kForms = {{
      {"carrier", {std::nullopt, true}},
      {"province", {AreaLevel::Province, false}},
      {"city", {AreaLevel::City, false}},
      {"province,carrier", {AreaLevel::Province, true}},
      {"city,carrier", {AreaLevel::City, true}},
  }};
  if (argument.empty()) return kForms[0].second;
  for (const auto& [name, by] : kForms) {
    if (argument == name) return by;
  }
  problem =
      "分类方式“" + std::string(argument) + "”无效：应为 carrier、province、city、province,carrier 或 city,carrier";
  return std::nullopt;
}

}  // namespace zelvane::cli
