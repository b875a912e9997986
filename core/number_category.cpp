#include "core/number_category.h"

namespace zelvane {

namespace {
constexpr std::array<std::string_view, kCategoryCount> kLabels = {"移动", "联通", "电信", "小灵通", "其他"};
constexpr std::array<std::string_view, kCategoryCount> kFileNames = {"移动.txt", "联通.txt", "电信.txt", "小灵通.txt",
                                                                     "其他.txt"};
}  // namespace

std::string_view CategoryLabel(NumberCategory category) { return kLabels[CategoryIndex(category)]; }

std::string_view CategoryFileName(NumberCategory category) { return kFileNames[CategoryIndex(category)]; }

}  // namespace zelvane
