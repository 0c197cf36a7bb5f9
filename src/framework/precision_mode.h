#pragma once
// The precision modes of the ≈ list: how every capacity is shown, on screen and in the sheets.
#include <string>

namespace qianyan {

enum class PrecisionMode { TwoDecimals = 0, OneDecimal = 1, Units = 2, Tens = 3, Hundreds = 4 };

// A capacity value in a precision mode with at most `precision` significant digits: two, one or no
// decimals, or cut (not rounded) to tens or hundreds.
std::string modeAmount(double value, PrecisionMode mode, int precision);

} // namespace qianyan
