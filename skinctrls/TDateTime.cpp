#include "TDateTime.h"

#include <cmath>

namespace {
const QDate kEpoch(1899, 12, 30);
}

TDateTime toDateTimeValue(QDate date)
{
    return double(kEpoch.daysTo(date));
}

TDateTime toDateTimeValue(const QDateTime& moment)
{
    const QTime t = moment.time();
    return toDateTimeValue(moment.date()) + t.msecsSinceStartOfDay() / 86400000.0;
}

QDate dateOf(TDateTime value)
{
    return kEpoch.addDays(qint64(std::trunc(value)));
}

QDateTime fromDateTimeValue(TDateTime value)
{
    const double days = std::trunc(value);
    const double fraction = std::fabs(value - days);
    const int msecs = int(std::lround(fraction * 86400000.0));
    return QDateTime(dateOf(value), QTime::fromMSecsSinceStartOfDay(std::min(msecs, 86399999)));
}
