#include "NumberFormat.h"

#include <gtest/gtest.h>

TEST(NumberFormat, FormatsPatterns)
{
    struct Case {
        const char* pattern;
        double value;
        const char* expected;
        bool negative;
    };
    const Case cases[] = {
        {"#,##0.00", 1234567.891, "1,234,567.89", false},
        {"#,##0.00", -1234.5, "-1,234.50", true},
        {"#,##0.00", 100, "100.00", false},
        {"#,##0.00", 0.5, "0.50", false},
        {"#,##0.00", -0.001, "0.00", false},   // rounds to zero: no minus sign
        {"#,##0.00", -0.004, "0.00", false},
        {"#,##0.00", -0.005, "-0.01", true},   // the double nearest 0.005 lies above it
        {"#,##0", 999.4, "999", false},
        {"#,##0", 1000, "1,000", false},
        {"#,##0", -1000000, "-1,000,000", true},
        {"#,##0.##", 2.5, "2.5", false},
        {"#,##0.##", 3, "3", false},
        {"#,##0;(#,##0)", -1500, "(1,500)", true},
        {"#,##0;(#,##0)", 1500, "1,500", false},
        {"共 #,##0 筆", 10000, "共 10,000 筆", false},
        {"0.00", 0, "0.00", false},
        {"", 2.25, "2.25", false},
        {"#,##0.00", 1e15, "1,000,000,000,000,000.00", false},
    };
    for (const Case& c : cases) {
        NumberFormat format(QString::fromUtf8(c.pattern));
        EXPECT_EQ(format.format(c.value).toStdString(), c.expected) << c.pattern << " " << c.value;
        EXPECT_EQ(format.showsNegative(c.value), c.negative) << c.pattern << " " << c.value;
    }
}
