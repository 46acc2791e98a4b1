#pragma once

#include <optional>
#include <string_view>

// Text to number, never following the process locale and safe on any thread. Only plain decimal
// notation is read: [sign] digits [. digits] [e|E [sign] digits], with '.' as the only decimal
// separator; no hexadecimal, no "inf" or "nan", no grouping.
namespace platform {

// The whole text, blanks around it allowed, as one decimal number; nullopt for anything else and for a
// value beyond the range of double.
std::optional<double> parseDecimal(std::string_view text);

// The longest leading part of the text (after leading blanks) that reads as a decimal number; 0 when
// there is none. A value beyond the range of double gives an infinity of its sign, one below it 0.
double decimalPrefix(std::string_view text);

// The leading decimal digits with an optional leading '-'; 0 when the text does not begin with a
// number. A value beyond the range of int gives the nearest limit.
int integerPrefix(std::string_view text);

}  // namespace platform
