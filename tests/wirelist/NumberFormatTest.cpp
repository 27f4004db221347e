#include "wirelist/NumberFormat.h"

#include <gtest/gtest.h>

using namespace qx::wirelist;

TEST(NumberFormat, ShowsNumbersAsSpreadsheetsDo) {
    struct Row {
        double value;
        const char* code;
        const char* shown;
    };
    const Row rows[] = {
        {2.5000000001, "General", "2.5"},
        {0.1 + 0.2, "General", "0.3"},
        {-4.25, "General", "-4.25"},
        {123456789012.0, "General", "123456789012"},
        {1234567.891, "General", "1234567.891"},
        {1.5e20, "General", "1.5E+20"},
        {1e-10, "General", "1E-10"},
        {0.000001234, "General", "0.000001234"},
        {7, "@", "7"},
        {12, "0.00", "12.00"},
        {2.005, "0.00", "2.01"},
        {0.5, "0", "1"},
        {-0.4, "0", "0"},
        {5, "00000", "00005"},
        {1234567.891, "#,##0.00", "1,234,567.89"},
        {1234567, "#,##0,", "1,235"},
        {0.125, "0%", "13%"},
        {0.5, "0.0%", "50.0%"},
        {12345.678, "0.00E+00", "1.23E+04"},
        {1234, "\"No. \"0", "No. 1234"},
        {-1234.5, "#,##0.00;(#,##0.00)", "(1,234.50)"},
        {-3, "0;-0;\"zero\"", "-3"},
        {0, "0.00;-0.00;\"-\"", "-"},
        {1.5, "[Red]0.0_);[Blue](0.0)", "1.5 "},
        {9.99, "[$€-407] #,##0.00", "€ 9.99"},
        {1234567, "#,##0", "1,234,567"},
        {123, "#,##0", "123"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(formatNumber(row.value, row.code, false), row.shown) << row.value << " " << row.code;
    }
}

TEST(NumberFormat, ShowsDatesOfBothDateSystems) {
    struct Row {
        double serial;
        const char* code;
        bool date1904;
        const char* shown;
    };
    const Row rows[] = {
        {45306, "yyyy/m/d", false, "2024/1/15"},
        {45306, "yyyy-mm-dd", false, "2024-01-15"},
        {45306, "m/d/yyyy", false, "1/15/2024"},
        {45306, "d-mmm-yy", false, "15-Jan-24"},
        {45306, "dddd, mmmm d", false, "Monday, January 15"},
        {45306, "yyyy\"年\"m\"月\"d\"日\"(aaa)", false, "2024年1月15日(月)"},
        {45306.75, "yyyy/m/d h:mm", false, "2024/1/15 18:00"},
        {45306.75, "h:mm AM/PM", false, "6:00 PM"},
        {0.5 + 1.0 / 86400 * 0.4, "hh:mm:ss", false, "12:00:00"},
        {1.0 / 86400 * 59.6, "h:mm:ss", false, "0:01:00"},
        {1.5, "[h]:mm", false, "36:00"},
        {1, "yyyy/m/d", false, "1900/1/1"},
        {59, "yyyy/m/d", false, "1900/2/28"},
        {60, "yyyy/m/d", false, "1900/2/29"}, // the 1900 system counts a day that never was
        {61, "yyyy/m/d", false, "1900/3/1"},
        {0, "yyyy/m/d", true, "1904/1/1"},
        {45306 - 1462, "yyyy-mm-dd", true, "2024-01-15"},
        {-1, "yyyy/m/d", false, "-1"},
        {45306, "YYYY/MM/DD", false, "2024/01/15"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(formatNumber(row.serial, row.code, row.date1904), row.shown)
            << row.serial << " " << row.code;
    }
    EXPECT_EQ(serialFromIsoDate("2024-01-15", false), 45306.0);
    EXPECT_EQ(serialFromIsoDate("2024-01-15T18:00:00", false), 45306.75);
    EXPECT_EQ(serialFromIsoDate("1900-02-28", false), 59.0);
    EXPECT_EQ(serialFromIsoDate("1900-03-01", false), 61.0);
    EXPECT_EQ(serialFromIsoDate("1904-01-02", true), 1.0);
    EXPECT_EQ(serialFromIsoDate("15.01.2024", false), std::nullopt);
    EXPECT_EQ(builtInNumberFormat(14), "yyyy/m/d");
    EXPECT_EQ(formatNumber(45306, builtInNumberFormat(22), false), "2024/1/15 0:00");
    EXPECT_EQ(builtInNumberFormat(0), "General");
    EXPECT_EQ(builtInNumberFormat(5000), "General");
    // A code longer than any program writes shows as General instead of as 2,000 zeros.
    EXPECT_EQ(formatNumber(7.5, std::string(2000, '0'), false), "7.5");
}
