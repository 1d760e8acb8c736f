#pragma once
// The month calendar's arithmetic: where the days of a month fall in the six-row grid, and the
// month and year steps of the navigation buttons.

#include <QDate>
#include <optional>

// The day number shown in the grid's first cell (row 1, column 0); may be 0 or negative.
// firstDayOfWeek: 0 = Sunday .. 6 = Saturday.
int calendarStartDay(int year, int month, int firstDayOfWeek);

// The day in row r (1..6), column i (0..6), or 0 for an empty cell.
int calendarDayAt(int year, int month, int firstDayOfWeek, int row, int column);

// One month forward or back, the year wrapping, the day lowered to the new month's length.
QDate stepMonth(QDate date, int delta);

// One year forward or back; nothing when the new year is at most 1760 or above 9999.
std::optional<QDate> stepYear(QDate date, int delta);
