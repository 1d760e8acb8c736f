#include "Clock.h"
#include "Exception.h"
#include "FormatSettings.h"
#include "Rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Fixes "today" for the cases that depend on the current year.
class FixedClock {
public:
    explicit FixedClock(QDate today) { Clock::set(QDateTime(today, QTime(14, 30, 5))); }
    ~FixedClock() { Clock::set(std::nullopt); }
};

}

TEST(FormatSettings, FormatsTheSystemsFormats)
{
    const FormatSettings& fs = FormatSettings::instance();
    const QDateTime moment(QDate(2005, 10, 6), QTime(4, 3, 9, 7));
    EXPECT_EQ(fs.formatDateTime("HHNNSS", moment), "040309");
    EXPECT_EQ(fs.formatDateTime("hh:mm:ss.zzz", moment), "04:03:09.007");  // m after h: minutes
    EXPECT_EQ(fs.formatDateTime("yyyy/mm/dd", moment), "2005/10/06");
    EXPECT_EQ(fs.formatDateTime("yy-m-d", moment), "05-10-6");
    EXPECT_EQ(fs.formatDateTime("MMMM, YYYY", moment), QString::fromUtf8("十月, 2005"));
    EXPECT_EQ(fs.formatDateTime("dddd ddd 'dd'", moment), QString::fromUtf8("星期四 週四 dd"));
    EXPECT_EQ(fs.dateToStr(QDate(9999, 12, 31)), "9999/12/31");
    EXPECT_EQ(fs.dateToStr(QDate(1, 1, 1)), "0001/01/01");
    EXPECT_EQ(fs.longMonthNames[11], QString::fromUtf8("十二月"));
    EXPECT_EQ(fs.shortDayNames[0], QString::fromUtf8("週日"));
    EXPECT_EQ(fs.dateOrder(), "YMD");

    FormatSettings dashes;
    dashes.dateSeparator = QLatin1Char('-');
    EXPECT_EQ(dashes.dateToStr(QDate(2005, 10, 26)), "2005-10-26");
}

TEST(FormatSettings, ParsesDatesThroughTheShortDateFormat)
{
    FixedClock clock(QDate(2025, 6, 1));
    const FormatSettings& fs = FormatSettings::instance();
    const std::vector<std::pair<QString, QDate>> valid{
        {"2005/10/26", QDate(2005, 10, 26)},
        {"2005/1/2", QDate(2005, 1, 2)},
        {"  2005 / 10 / 26  ", QDate(2005, 10, 26)},
        {"2008/02/29", QDate(2008, 2, 29)},
        {"0001/01/01", QDate(1, 1, 1)},
        {"9999/12/31", QDate(9999, 12, 31)},
        {"05/10/26", QDate(2005, 10, 26)},   // two-digit years: 50-year window from 2025
        {"80/1/1", QDate(1980, 1, 1)},
        {"74/1/1", QDate(2074, 1, 1)},
        {"10/26", QDate(2025, 10, 26)},      // month and day of the current year
        {"005/10/26", QDate(5, 10, 26)},     // three digits are a year as written
    };
    for (const auto& [text, date] : valid) {
        QDate parsed;
        EXPECT_TRUE(fs.tryStrToDate(text, parsed)) << text.toStdString();
        EXPECT_EQ(parsed, date) << text.toStdString();
    }

    const std::vector<QString> invalid{
        "", "   ", "2005/02/30", "2007/02/29", "2005/13/01", "2005/00/26", "2005/10/00",
        "2005/10/32", "0000/01/01", "2005-10-26", "2005/10/26/1", "2005/10/", "/10/26",
        "2005/10/26x", "20051/10/26", "2005", "２００５/10/26", "2005/10/26 12:00"};
    for (const QString& text : invalid) {
        QDate parsed;
        EXPECT_FALSE(fs.tryStrToDate(text, parsed)) << text.toStdString();
    }
    try {
        fs.strToDate("2005/02/30");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), "'2005/02/30' is not a valid date");
    }
}

TEST(FormatSettings, DayMonthYearFormatsParseInTheirOrder)
{
    FormatSettings dmy;
    dmy.shortDateFormat = "dd.mm.yyyy";
    dmy.dateSeparator = QLatin1Char('.');
    EXPECT_EQ(dmy.dateOrder(), "DMY");
    EXPECT_EQ(dmy.strToDate("26.10.2005"), QDate(2005, 10, 26));
    EXPECT_EQ(dmy.dateToStr(QDate(2005, 10, 26)), "26.10.2005");
}

TEST(StrToInt, ReadsIntegersAsTheSystemDoes)
{
    const std::vector<std::pair<QString, int>> valid{
        {"0", 0}, {"42", 42}, {"  -17", -17}, {"+8", 8}, {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int>::min()}, {"$1F", 31}, {"0x1f", 31},
        {"$FFFFFFFF", -1}, {"007", 7}};
    for (const auto& [text, value] : valid)
        EXPECT_EQ(strToInt(text), value) << text.toStdString();

    for (const char* text : {"", " ", "-", "12 ", "1.5", "2147483648", "-2147483649", "abc", "$",
                                "0x", "$1G", "１２"}) {
        int value = 99;
        EXPECT_FALSE(tryStrToInt(QString::fromUtf8(text), value)) << text;
    }
    try {
        strToInt("12a");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), "'12a' is not a valid integer value");
    }
}

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    const std::vector<std::pair<double, std::int64_t>> cases{
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
        {2.4999999, 2}, {2.5000001, 3}, {-2.6, -3}, {1234567.5, 1234568}, {0.0, 0},
        {4503599627370497.0, 4503599627370497}};
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
    EXPECT_THROW(roundHalfEven(std::nan("")), EInvalidOp);
    EXPECT_THROW(roundHalfEven(1e19), EInvalidOp);
    EXPECT_THROW(roundHalfEven(-std::numeric_limits<double>::infinity()), EInvalidOp);
}
