#include "Rounding.h"

#include "Exception.h"

#include <cfenv>
#include <cmath>

std::int64_t roundHalfEven(double value)
{
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    if (!std::isfinite(value) || value >= 9223372036854775808.0 || value < -9223372036854775808.0)
        throw EInvalidOp("Invalid floating point operation");
    // nearbyint rounds in the current mode; make sure it is to-nearest-even whatever
    // another library may have set.
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(mode);
    return static_cast<std::int64_t>(rounded);
}
