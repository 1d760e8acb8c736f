#pragma once
// Real values become integers by rounding to the nearest, halves to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Integer division truncates toward zero, which is what
// C++'s own "/" does.

#include <cstdint>

// Throws EInvalidOp for a value that is not a number or does not fit 64 bits.
std::int64_t roundHalfEven(double value);
