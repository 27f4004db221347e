#include "output/NumberField.h"

#include <gtest/gtest.h>

namespace qx::output {
namespace {

TEST(NumberField, TheTwoPatterns) {
    struct Row {
        const char* text;
        bool decimal;
        bool integer;
    };
    const Row rows[] = {
        {"12", true, true},    {"-3", true, true},    {"12.", true, false}, {"12.34", true, false},
        {"-0.5", true, false}, {"", false, true},     {"-", false, true},   {".5", false, false},
        {"+1", false, false},  {" 1", false, false},  {"1 ", false, false}, {"1.2.3", false, false},
        {"--1", false, false}, {"1e3", false, false}, {"１", false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(matchesDecimalPattern(row.text), row.decimal);
        EXPECT_EQ(matchesIntegerPattern(row.text), row.integer);
    }
}

TEST(NumberField, IntegerFieldsReadTheWholePartAndNameTheirRange) {
    EXPECT_EQ(checkIntegerField("12.9", -10, 12).value, 12);
    EXPECT_TRUE(checkIntegerField("-10", -10, 12).ok);
    const FieldCheck refused = checkIntegerField("13", -10, 12);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.messageId, MsgIntegerRange);
    EXPECT_EQ(refused.lowerText, "-10");
    EXPECT_EQ(refused.upperText, "12");
    EXPECT_EQ(refused.message, "-10～12の範囲で設定してください。");
    for (const char* bad : {"", "-", "1a", "99999999999"}) {
        EXPECT_EQ(checkIntegerField(bad, -10, 12).messageId, MsgIntegerRange) << bad;
    }
}

// The one digit where comparing the typed value and comparing its truncated tenths differ, on both
// bounds and on both sides of zero.
TEST(NumberField, TenthsFieldsCompareExactlyOrTruncated) {
    struct Row {
        const char* text;
        int lower;
        int upper;
        bool exact;
        bool truncated;
        int value;
    };
    const Row rows[] = {
        {"2.0", -20, 20, true, true, 20},     {"2.00", -20, 20, true, true, 20},
        {"2.05", -20, 20, false, true, 20},   {"2.1", -20, 20, false, false, 21},
        {"-2.05", -20, 20, false, true, -20}, {"-2.0", -20, 20, true, true, -20},
        {"0.05", 0, 20, true, true, 0},       {"-0.05", 0, 20, false, true, 0},
        {"1.95", -20, 20, true, true, 19},    {"12.34", 40, 600, true, true, 123},
        {"3.5", 40, 600, false, false, 35},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const FieldCheck exact = checkTenthsField(row.text, row.lower, row.upper, TenthsComparison::Exact);
        const FieldCheck truncated =
            checkTenthsField(row.text, row.lower, row.upper, TenthsComparison::Truncated);
        EXPECT_EQ(exact.ok, row.exact);
        EXPECT_EQ(truncated.ok, row.truncated);
        if (truncated.ok) {
            EXPECT_EQ(truncated.value, row.value);
        }
    }
    const FieldCheck refused = checkTenthsField("x", -12, 60);
    EXPECT_EQ(refused.messageId, MsgDecimalRange);
    EXPECT_EQ(refused.lowerText, "-1.2");
    EXPECT_EQ(refused.upperText, "6.0");
    EXPECT_EQ(refused.message, "-1.2～6.0の範囲で設定してください。");
}

} // namespace
} // namespace qx::output
