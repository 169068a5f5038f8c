#include "common/field_reader.h"

#include <gtest/gtest.h>

namespace {

TEST(FieldReader, ParsesWholeIntegersOnly) {
    struct Case {
        const char* text;
        std::optional<std::int64_t> value;
    } cases[] = {
        {"0", 0},
        {"42", 42},
        {" 42\t", 42},
        {"+7", 7},
        {"-15", -15},
        {"", {}},
        {"  ", {}},
        {"-", {}},
        {"12abc", {}},
        {"abc", {}},
        {"1 2", {}},
        {"1.5", {}},
        {"9223372036854775807", INT64_MAX},
        {"-9223372036854775808", INT64_MIN},
        {"9223372036854775808", {}},
        {"99999999999999999999", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(common::parseInteger(c.text), c.value) << c.text;
    EXPECT_FALSE(common::parseInteger("2147483648", INT32_MIN, INT32_MAX));
    EXPECT_EQ(common::parseInteger("-2147483648", INT32_MIN, INT32_MAX), INT32_MIN);
}

TEST(FieldReader, LeadingIntegerReadsLikeAtoi) {
    EXPECT_EQ(common::leadingInteger("12abc"), 12);
    EXPECT_EQ(common::leadingInteger("abc"), 0);
    EXPECT_EQ(common::leadingInteger("  -3x"), -3);
    EXPECT_EQ(common::leadingInteger(""), 0);
    EXPECT_EQ(common::leadingInteger("99999999999999999999999"), INT64_MAX);
    EXPECT_EQ(common::leadingInteger("-99999999999999999999999"), INT64_MIN);
}

TEST(FieldReader, ParsesNumbers) {
    EXPECT_EQ(common::parseNumber("1.15"), 1.15);
    EXPECT_EQ(common::parseNumber(" -2e3 "), -2000.0);
    EXPECT_FALSE(common::parseNumber(""));
    EXPECT_FALSE(common::parseNumber("inf"));
    EXPECT_FALSE(common::parseNumber("nan"));
    EXPECT_FALSE(common::parseNumber("0x10"));
    EXPECT_FALSE(common::parseNumber("1.2.3"));
    EXPECT_FALSE(common::parseNumber("1e999"));
}

TEST(FieldReader, RangeMessageNamesTheBounds) {
    EXPECT_EQ(common::rangeMessage(0, 28), "请输入一个 0 至 28 之间的整数。");
    EXPECT_EQ(common::rangeMessage(-5, 2147483647), "请输入一个 -5 至 2147483647 之间的整数。");
}

}  // namespace
