#pragma once
// Date-time values as the form data stores them: whole days since 30 December 1899 plus the
// time of day as a fraction.

#include <QDateTime>

using TDateTime = double;

TDateTime toDateTimeValue(const QDateTime& moment);
TDateTime toDateTimeValue(QDate date);
QDateTime fromDateTimeValue(TDateTime value);
QDate dateOf(TDateTime value);
