#pragma once
// The program's date and number conventions: one FormatSettings object, used by the date
// edits, the calendar and the report run alike.
//
// Format strings follow the system's date/time format specifiers, without regard to case:
//   yyyy (yyy) 4-digit year, yy (y) 2-digit year;
//   m, mm month (or minutes right after an hour specifier), mmm short and mmmm long month name;
//   d, dd day, ddd short and dddd long day name;
//   h, hh hour (0-23), n, nn minutes, s, ss seconds, z, zzz milliseconds;
//   "/" the date separator, ":" the time separator, '...' or "..." literal text;
//   anything else is copied.
// So "HHNNSS" at 14:30:05 gives "143005", "yyyy/mm/dd" gives "2005/10/26" and "MMMM, YYYY"
// gives "十月, 2005".

#include <QDate>
#include <QDateTime>
#include <QString>
#include <array>
#include <string>

class FormatSettings {
public:
    // The program's one object (Traditional Chinese, Taiwan).
    static FormatSettings& instance();

    QString shortDateFormat = QStringLiteral("yyyy/mm/dd");
    QChar dateSeparator = QLatin1Char('/');
    QChar timeSeparator = QLatin1Char(':');
    std::array<QString, 12> shortMonthNames;
    std::array<QString, 12> longMonthNames;   // January first
    std::array<QString, 7> shortDayNames;     // Sunday first
    std::array<QString, 7> longDayNames;      // Sunday first
    // A two-digit year falls within this many years before the current year and the rest
    // of its century window (50: in 2025, "80" is 1980 and "74" is 2074).
    int twoDigitYearCenturyWindow = 50;

    FormatSettings();

    QString formatDateTime(const QString& format, const QDateTime& moment) const;
    QString formatDate(const QString& format, QDate date) const;
    // The date in the short date format.
    QString dateToStr(QDate date) const;

    // Reads a date written in the short date format's order (here year, month, day):
    // numbers of 1 to 4 digits separated by the date separator, blanks allowed around them.
    // Two numbers are month and day of the current year; a year of 1 or 2 digits goes
    // through the century window. Throws EConvertError "'%s' is not a valid date".
    QDate strToDate(const QString& text) const;
    bool tryStrToDate(const QString& text, QDate& date) const;

    // The order of year (Y), month (M) and day (D) in the short date format, e.g. "YMD".
    QString dateOrder() const;
};

// Integers as the system reads them: optional leading blanks and sign, decimal digits or a
// hexadecimal number after "$" or "0x"; nothing may follow; the value must fit 32 bits.
// Throws EConvertError "'%s' is not a valid integer value".
int strToInt(const QString& text);
bool tryStrToInt(const QString& text, int& value);
