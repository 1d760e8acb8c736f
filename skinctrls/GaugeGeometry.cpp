#include "GaugeGeometry.h"

#include <cfenv>
#include <cmath>

int roundHalfEven(double x)
{
    const double r = std::round(x);
    // std::round takes halves away from zero; step back to the even neighbour.
    if (std::fabs(x - std::trunc(x)) == 0.5 && std::fmod(r, 2.0) != 0.0)
        return int(r - std::copysign(1.0, x));
    return int(r);
}

double gaugeFraction(int value, int minValue, int maxValue)
{
    if (maxValue == minValue)
        return 0.0;
    return double(value - minValue) / double(maxValue - minValue);
}

SkinRect gaugeFilledRect(const SkinRect& area, double fraction, bool vertical)
{
    SkinRect r = area;
    if (vertical)
        r.top = area.bottom - roundHalfEven(fraction * area.height());
    else
        r.right = area.left + roundHalfEven(fraction * area.width());
    return r;
}

int gaugePercent(int value, int minValue, int maxValue)
{
    return roundHalfEven(gaugeFraction(value, minValue, maxValue) * 100.0);
}
