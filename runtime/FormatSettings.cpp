#include "FormatSettings.h"

#include "Clock.h"
#include "Exception.h"

#include <optional>
#include <vector>

namespace {

QString zeroPadded(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

int runLength(const QString& format, qsizetype at)
{
    const QChar c = format[at].toUpper();
    int n = 1;
    while (at + n < format.size() && format[at + n].toUpper() == c)
        ++n;
    return n;
}

struct Number {
    int value = 0;
    int digits = 0;
};

class Scanner {
public:
    explicit Scanner(const QString& text) : text_(text) {}

    void skipBlanks()
    {
        while (pos_ < text_.size() && text_[pos_] == QLatin1Char(' '))
            ++pos_;
    }

    std::optional<Number> number()
    {
        skipBlanks();
        Number n;
        while (pos_ < text_.size() && text_[pos_] >= QLatin1Char('0') && text_[pos_] <= QLatin1Char('9')) {
            if (n.digits == 4)
                return std::nullopt;
            n.value = n.value * 10 + (text_[pos_].unicode() - '0');
            ++n.digits;
            ++pos_;
        }
        if (n.digits == 0)
            return std::nullopt;
        return n;
    }

    bool character(QChar c)
    {
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool atEnd()
    {
        skipBlanks();
        return pos_ == text_.size();
    }

private:
    const QString& text_;
    qsizetype pos_ = 0;
};

}

FormatSettings& FormatSettings::instance()
{
    static FormatSettings settings;
    return settings;
}

FormatSettings::FormatSettings()
{
    static const char* const months[12] = {"一月", "二月", "三月", "四月", "五月", "六月",
                                           "七月", "八月", "九月", "十月", "十一月", "十二月"};
    static const char* const days[7] = {"日", "一", "二", "三", "四", "五", "六"};
    for (int i = 0; i < 12; ++i) {
        longMonthNames[static_cast<size_t>(i)] = QString::fromUtf8(months[i]);
        shortMonthNames[static_cast<size_t>(i)] = QString::fromUtf8(months[i]);
    }
    for (int i = 0; i < 7; ++i) {
        shortDayNames[static_cast<size_t>(i)] = QString::fromUtf8("週") + QString::fromUtf8(days[i]);
        longDayNames[static_cast<size_t>(i)] = QString::fromUtf8("星期") + QString::fromUtf8(days[i]);
    }
}

QString FormatSettings::formatDateTime(const QString& format, const QDateTime& moment) const
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    QString out;
    bool afterHour = false;
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        const QChar upper = c.toUpper();
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype close = format.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? format.size() : close;
            out += format.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        const int n = runLength(format, i);
        if (upper == QLatin1Char('Y')) {
            out += n <= 2 ? zeroPadded(date.year() % 100, 2) : zeroPadded(date.year(), 4);
        } else if (upper == QLatin1Char('M') && afterHour && n <= 2) {
            out += zeroPadded(time.minute(), n);
        } else if (upper == QLatin1Char('M')) {
            const auto month = static_cast<size_t>(date.month() - 1);
            out += n == 1 ? QString::number(date.month())
                 : n == 2 ? zeroPadded(date.month(), 2)
                 : n == 3 ? shortMonthNames[month] : longMonthNames[month];
        } else if (upper == QLatin1Char('D')) {
            const auto day = static_cast<size_t>(date.dayOfWeek() % 7);
            out += n == 1 ? QString::number(date.day())
                 : n == 2 ? zeroPadded(date.day(), 2)
                 : n == 3 ? shortDayNames[day] : longDayNames[day];
        } else if (upper == QLatin1Char('H')) {
            out += zeroPadded(time.hour(), n >= 2 ? 2 : 1);
        } else if (upper == QLatin1Char('N')) {
            out += zeroPadded(time.minute(), n >= 2 ? 2 : 1);
        } else if (upper == QLatin1Char('S')) {
            out += zeroPadded(time.second(), n >= 2 ? 2 : 1);
        } else if (upper == QLatin1Char('Z')) {
            out += zeroPadded(time.msec(), n >= 3 ? 3 : 1);
        } else if (c == QLatin1Char('/')) {
            out += QString(n, dateSeparator);
        } else if (c == QLatin1Char(':')) {
            out += QString(n, timeSeparator);
        } else {
            out += QString(n, c);
        }
        if (upper.isLetter())
            afterHour = upper == QLatin1Char('H');
        i += n;
    }
    return out;
}

QString FormatSettings::formatDate(const QString& format, QDate date) const
{
    return formatDateTime(format, QDateTime(date, QTime(0, 0)));
}

QString FormatSettings::dateToStr(QDate date) const
{
    return formatDate(shortDateFormat, date);
}

QString FormatSettings::dateOrder() const
{
    QString order;
    for (const QChar c : shortDateFormat) {
        const QChar u = c.toUpper();
        if ((u == QLatin1Char('Y') || u == QLatin1Char('M') || u == QLatin1Char('D')) && !order.contains(u))
            order += u;
    }
    for (const char* role : {"Y", "M", "D"})
        if (!order.contains(QLatin1String(role)))
            order += QLatin1String(role);
    return order;
}

bool FormatSettings::tryStrToDate(const QString& text, QDate& date) const
{
    Scanner scan(text);
    std::vector<Number> parts;
    const auto first = scan.number();
    if (!first)
        return false;
    parts.push_back(*first);
    while (parts.size() < 3 && scan.character(dateSeparator)) {
        const auto next = scan.number();
        if (!next)
            return false;
        parts.push_back(*next);
    }
    if (parts.size() < 2 || !scan.atEnd())
        return false;

    const QString order = dateOrder();
    int year = 0;
    int month = 0;
    int day = 0;
    bool yearDigitsShort = false;
    if (parts.size() == 3) {
        for (int i = 0; i < 3; ++i) {
            const Number& part = parts[static_cast<size_t>(i)];
            if (order[i] == QLatin1Char('Y')) {
                year = part.value;
                yearDigitsShort = part.digits <= 2;
            } else if (order[i] == QLatin1Char('M')) {
                month = part.value;
            } else {
                day = part.value;
            }
        }
    } else {
        // Month and day, in the format's order, of the current year.
        year = Clock::today().year();
        const bool monthFirst = order.indexOf(QLatin1Char('M')) < order.indexOf(QLatin1Char('D'));
        month = parts[monthFirst ? 0 : 1].value;
        day = parts[monthFirst ? 1 : 0].value;
    }
    if (yearDigitsShort) {
        const int windowStart = Clock::today().year() - twoDigitYearCenturyWindow;
        year += windowStart / 100 * 100;
        if (twoDigitYearCenturyWindow > 0 && year < windowStart)
            year += 100;
    }
    if (year < 1 || year > 9999 || !QDate::isValid(year, month, day))
        return false;
    date = QDate(year, month, day);
    return true;
}

QDate FormatSettings::strToDate(const QString& text) const
{
    QDate date;
    if (!tryStrToDate(text, date))
        throw EConvertError(formatMessage(Msg::InvalidDate, text.toStdString()));
    return date;
}

bool tryStrToInt(const QString& text, int& value)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == QLatin1Char('0')
               && (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        return false;
    long long magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = text[i].isDigit() && text[i].unicode() < 128 ? text[i].unicode() - '0'
                        : base == 16 && text[i].toLower() >= QLatin1Char('a') && text[i].toLower() <= QLatin1Char('f')
                            ? text[i].toLower().unicode() - 'a' + 10
                            : -1;
        if (digit < 0)
            return false;
        magnitude = magnitude * base + digit;
        if (magnitude > 0xFFFFFFFFLL)
            return false;
    }
    const long long result = negative ? -magnitude : magnitude;
    // Hexadecimal numbers give the 32-bit pattern, as "$FFFFFFFF" is -1.
    if (base == 16 && !negative && result <= 0xFFFFFFFFLL) {
        value = static_cast<int>(static_cast<unsigned int>(result));
        return true;
    }
    if (result < INT32_MIN || result > INT32_MAX)
        return false;
    value = static_cast<int>(result);
    return true;
}

int strToInt(const QString& text)
{
    int value = 0;
    if (!tryStrToInt(text, value))
        throw EConvertError(formatMessage(Msg::InvalidInteger, text.toStdString()));
    return value;
}
