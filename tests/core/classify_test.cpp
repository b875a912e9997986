#include <gtest/gtest.h>
#include "core/carrier_prefix_table.h"
TEST(Classify, Smoke) { EXPECT_EQ(zelvane::ClassifyNumber("13912345678"), zelvane::NumberCategory::Mobile); }
