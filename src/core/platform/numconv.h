// Number conventions the game's arithmetic and captions rely on: rounding
// halves to even, Int (floor), the integer division "a \ n", and the text a
// single-precision float shows as.
#pragma once

#include <QString>
#include <cstdint>

namespace numconv {

// Every function is total: values beyond the 64-bit range saturate to its
// ends and NaN gives 0, so no caller can reach undefined behaviour.

// Nearest whole number, halves going to the even neighbour (2.5 -> 2, 3.5 -> 4).
std::int64_t roundHalfEven(double value);

// Greatest whole number not above value (Int(-0.5) == -1).
std::int64_t intFloor(double value);

// "a \ n": a taken to the nearest whole number (halves to even), then divided
// by n with the quotient truncated toward zero. Dividing by 0 saturates
// toward the sign of a (0 \ 0 gives 0).
std::int64_t intDiv(double a, std::int64_t n);

// A float as the game shows it: at most 7 significant digits, no trailing
// zeros, no decimal part for whole values, the given decimal separator
// (with a comma: 7,5; 6,666667; 10).
QString floatToText(float value, const QString &decimalSeparator = QStringLiteral(","));

// A whole number as Spanish text writes it: no separator up to four digits
// (5700), groups of three joined by a non-breaking space from five on
// (48 000 000).
QString spanishInteger(std::int64_t value);

} // namespace numconv
