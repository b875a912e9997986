#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zelvane {

// The value is also the index of the category's list and the order of every rebuild and export.
enum class NumberCategory : std::uint8_t { Mobile = 0, Unicom = 1, Telecom = 2, Phs = 3, Other = 4 };

inline constexpr std::size_t kCategoryCount = 5;

inline constexpr std::array<NumberCategory, kCategoryCount> kAllCategories = {
    NumberCategory::Mobile, NumberCategory::Unicom, NumberCategory::Telecom, NumberCategory::Phs,
    NumberCategory::Other};

constexpr std::size_t CategoryIndex(NumberCategory category) { return static_cast<std::size_t>(category); }

// The category's name as the user sees it ("移动", "联通", ...), UTF-8.
std::string_view CategoryLabel(NumberCategory category);

// The one-click export file of the category ("移动.txt", ...).
std::string_view CategoryFileName(NumberCategory category);

}  // namespace zelvane
