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

// A format pattern of literal text with one directive "%W.Pn" (grouped) or "%W.Pf" (plain), P one
// or two digits giving the number of decimals, W none to two digits giving the least width, filled with
// blanks on the left ("%0.2n", "%.2n" and "%4.2f"); "%%" writes '%'.
// Example: formatNumber("THB %0.2n Mil.", 1.5) == "THB 1.50 Mil.". Throws std::invalid_argument for a
// pattern without exactly one directive or with any other '%' sequence.
std::string formatNumber(std::string_view pattern, double value);

// The picture "#.###" with `decimals` '#' after the point: at most that many decimals (rounded as
// formatFixed), trailing zeros and a bare point dropped, no zero before the point (0.6487 -> ".649",
// 2.5 -> "2.5"); a value that rounds to zero gives "".
std::string formatOptionalDecimals(double value, int decimals);

// Fixed notation with `digits` decimals while the value, rounded to that, has at most `precision`
// integer digits; otherwise the general exponent form with `precision` significant digits, as
// floatToStr writes it ("2.4E2"). FloatToStrF's fixed format with precision 2 and 0 digits turns 12 into
// "12" and 239 into "2.4E2".
std::string formatFixedOrExponent(double value, int precision, int digits);

}  // namespace platform
