#include "Clock.h"

namespace {
std::optional<QDateTime>& fixedMoment()
{
    static std::optional<QDateTime> moment;
    return moment;
}
}

namespace Clock {

QDateTime now()
{
    return fixedMoment() ? *fixedMoment() : QDateTime::currentDateTime();
}

QDate today()
{
    return now().date();
}

void set(std::optional<QDateTime> moment)
{
    fixedMoment() = std::move(moment);
}

}
