#pragma once
// The gauge's arithmetic: fill fraction, filled rect and percent, rounding halves to even.

#include "SkinRect.h"

// (value - min) / (max - min), 0 when max = min.
double gaugeFraction(int value, int minValue, int maxValue);

// The filled part of area: from the left (horizontal) or from the bottom (vertical).
SkinRect gaugeFilledRect(const SkinRect& area, double fraction, bool vertical);

// The percentage shown; 0 when max = min.
int gaugePercent(int value, int minValue, int maxValue);

// Round to the nearest integer, halves to even.
int roundHalfEven(double x);
