#include "CalendarMath.h"

int calendarStartDay(int year, int month, int firstDayOfWeek)
{
    // 1 = Sunday .. 7 = Saturday.
    const int w = QDate(year, month, 1).dayOfWeek() % 7 + 1;
    const int b = (w - firstDayOfWeek + 7) % 7;
    return b != 0 ? 2 - b : -5;
}

int calendarDayAt(int year, int month, int firstDayOfWeek, int row, int column)
{
    const int n = calendarStartDay(year, month, firstDayOfWeek) + column + (row - 1) * 7;
    return n >= 1 && n <= QDate(year, month, 1).daysInMonth() ? n : 0;
}

QDate stepMonth(QDate date, int delta)
{
    int year = date.year(), month = date.month() + delta;
    if (month > 12) {
        month -= 12;
        ++year;
    } else if (month < 1) {
        month += 12;
        --year;
    }
    const int day = std::min(date.day(), QDate(year, month, 1).daysInMonth());
    return QDate(year, month, day);
}

std::optional<QDate> stepYear(QDate date, int delta)
{
    const int year = date.year() + delta;
    if (year <= 1760 || year > 9999)
        return std::nullopt;
    const int day = std::min(date.day(), QDate(year, date.month(), 1).daysInMonth());
    return QDate(year, date.month(), day);
}
