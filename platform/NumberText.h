#pragma once

#include <string>
#include <string_view>

// Number text that never follows the process locale and is safe on any thread.
namespace platform {

// The general number format: at most 15 significant digits, trailing zeros and a trailing point dropped,
// no grouping, '-' for negatives, "0" for zero; fixed notation when 0.00001 <= |value| and the integer part
// has at most 15 digits, otherwise scientific with 'E' and the shortest exponent ("1E20", "1.5E-6").
// The decimal separator is always '.'. Non-finite values give "NAN", "INF" and "-INF".
std::string floatToStr(double value);

// floatToStr for SQL text. A non-finite value renders as a token the engine rejects (\NAN, \INF, \-INF:
// a backslash is no SQL token), so the statement that carries it fails instead of storing it.
std::string sqlNumber(double value);
// A fixed-point literal with `decimals` digits, halves away from zero; a non-finite value gives the
// token sqlNumber gives, which the engine rejects.
std::string sqlFixed(double value, int decimals);

// `decimals` digits after '.' (none when decimals <= 0), rounded from the exact binary value to nearest
// with exact halves away from zero (1234.5 -> "1235", but 2.675 -> "2.67": it lies below the half);
// with `grouped` a ',' between every three digits of the integer part. A value that rounds to zero has
// no sign. Non-finite values give "NAN", "INF" and "-INF".
std::string formatFixed(double value, int decimals, bool grouped);

// A format pattern of literal text with one directive "%0.Pn" (grouped) or "%0.Pf" (plain), P one
// or two digits giving the number of decimals ("%.Pn" and "%.Pf" alike); "%%" writes '%'.
// Example: formatNumber("THB %0.2n Mil.", 1.5) == "THB 1.50 Mil.". Throws std::invalid_argument for a
// pattern without exactly one directive or with any other '%' sequence.
std::string formatNumber(std::string_view pattern, double value);

}  // namespace platform
