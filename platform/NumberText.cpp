#include "NumberText.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <system_error>

namespace platform {
namespace {

constexpr int kSignificantDigits = 15;

// Non-finite values in the game's spelling; empty for a finite value.
std::string nonFiniteText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  return {};
}

// Number of decimal digits after the point in the exact expansion of a finite |value|: a double is
// m * 2^q with m odd, whose expansion has exactly max(0, -q) fractional digits.
int exactFractionDigits(double magnitude) {
  if (magnitude == 0) return 0;
  int exponent = 0;
  const double fraction = std::frexp(magnitude, &exponent);  // magnitude = fraction * 2^exponent
  auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  const int q = exponent - 53 + std::countr_zero(mantissa);
  return q < 0 ? -q : 0;
}

void appendGrouped(std::string& out, std::string_view integerDigits) {
  for (std::size_t i = 0; i < integerDigits.size(); ++i) {
    if (i > 0 && (integerDigits.size() - i) % 3 == 0) out += ',';
    out += integerDigits[i];
  }
}

}  // namespace

std::string floatToStr(double value) {
  if (std::string special = nonFiniteText(value); !special.empty()) return special;
  if (value == 0) return "0";

  // Round to 15 significant digits: "d.dddddddddddddde[+-]xx".
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific,
                                 kSignificantDigits - 1);
  const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
  const std::size_t ePos = sci.find('e');
  std::string digits;
  digits += sci[0];
  digits.append(sci.substr(2, ePos - 2));
  int exponent = 0;
  const char* expBegin = sci.data() + ePos + 1;
  if (*expBegin == '+') ++expBegin;
  std::from_chars(expBegin, sci.data() + sci.size(), exponent);
  while (digits.size() > 1 && digits.back() == '0')
    digits.pop_back();

  std::string out;
  if (value < 0) out += '-';
  if (exponent >= -5 && exponent < kSignificantDigits) {
    if (exponent < 0) {
      out += "0.";
      out.append(static_cast<std::size_t>(-exponent - 1), '0');
      out += digits;
    } else {
      const auto integerLength = static_cast<std::size_t>(exponent) + 1;
      if (digits.size() <= integerLength) {
        out += digits;
        out.append(integerLength - digits.size(), '0');
      } else {
        out.append(digits, 0, integerLength);
        out += '.';
        out.append(digits, integerLength);
      }
    }
  } else {
    out += digits[0];
    if (digits.size() > 1) {
      out += '.';
      out.append(digits, 1);
    }
    out += 'E';
    out += std::to_string(exponent);
  }
  return out;
}

// A leading backslash is an unrecognised token to SQLite whatever the schema, so the statement fails.
std::string sqlNumber(double value) {
  if (!std::isfinite(value)) return "\\" + nonFiniteText(value);
  return floatToStr(value);
}

std::string sqlFixed(double value, int decimals) {
  return std::isfinite(value) ? formatFixed(value, decimals, false) : sqlNumber(value);
}

std::string formatFixed(double value, int decimals, bool grouped) {
  if (std::string special = nonFiniteText(value); !special.empty()) return special;
  if (decimals < 0) decimals = 0;

  // The exact decimal expansion of |value|, then rounded by hand: half away from zero only needs the first
  // dropped digit, since any exact expansion with that digit >= 5 is at or above the halfway point.
  const double magnitude = std::fabs(value);
  const int precision = exactFractionDigits(magnitude);
  std::string exact(310 + 1 + static_cast<std::size_t>(precision), '\0');
  const auto res = std::to_chars(exact.data(), exact.data() + exact.size(), magnitude,
                                 std::chars_format::fixed, precision);
  exact.resize(static_cast<std::size_t>(res.ptr - exact.data()));

  const std::size_t point = exact.find('.');
  std::string integerDigits = exact.substr(0, point);
  std::string fractionDigits = point == std::string::npos ? std::string{} : exact.substr(point + 1);
  const auto keep = static_cast<std::size_t>(decimals);
  const bool roundUp = fractionDigits.size() > keep && fractionDigits[keep] >= '5';
  fractionDigits.resize(keep, '0');

  std::string number = integerDigits + fractionDigits;
  if (roundUp) {
    std::size_t i = number.size();
    while (i > 0 && number[i - 1] == '9')
      number[--i] = '0';
    if (i == 0) {
      number.insert(number.begin(), '1');
    } else {
      ++number[i - 1];
    }
  }
  const bool isZero = number.find_first_not_of('0') == std::string::npos;
  const std::size_t integerLength = number.size() - keep;

  std::string out;
  if (value < 0 && !isZero) out += '-';
  const std::string_view integerPart(number.data(), integerLength);
  if (grouped) {
    appendGrouped(out, integerPart);
  } else {
    out += integerPart;
  }
  if (keep > 0) {
    out += '.';
    out.append(number, integerLength);
  }
  return out;
}

std::string formatNumber(std::string_view pattern, double value) {
  std::string out;
  bool haveDirective = false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') {
      out += pattern[i];
      continue;
    }
    const auto malformed = [&] {
      return std::invalid_argument("malformed number format directive in \"" + std::string(pattern) + "\"");
    };
    std::size_t j = i + 1;
    if (j < pattern.size() && pattern[j] == '%') {
      out += '%';
      i = j;
      continue;
    }
    std::size_t width = 0;
    std::size_t widthDigits = 0;
    while (j < pattern.size() && pattern[j] >= '0' && pattern[j] <= '9' && widthDigits < 2) {
      width = width * 10 + static_cast<std::size_t>(pattern[j] - '0');
      ++widthDigits;
      ++j;
    }
    if (j >= pattern.size() || pattern[j] != '.') throw malformed();
    ++j;
    int decimals = 0;
    std::size_t digitCount = 0;
    while (j < pattern.size() && pattern[j] >= '0' && pattern[j] <= '9' && digitCount < 2) {
      decimals = decimals * 10 + (pattern[j] - '0');
      ++digitCount;
      ++j;
    }
    if (digitCount == 0 || j >= pattern.size() || (pattern[j] != 'n' && pattern[j] != 'f')) throw malformed();
    if (haveDirective) {
      throw std::invalid_argument("more than one number directive in \"" + std::string(pattern) + "\"");
    }
    haveDirective = true;
    const std::string number = formatFixed(value, decimals, pattern[j] == 'n');
    if (number.size() < width) out.append(width - number.size(), ' ');
    out += number;
    i = j;
  }
  if (!haveDirective) throw std::invalid_argument("no number directive in \"" + std::string(pattern) + "\"");
  return out;
}

std::string formatOptionalDecimals(double value, int decimals) {
  std::string text = formatFixed(value, decimals, false);
  if (!std::isfinite(value)) return text;
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0')
      text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  const bool negative = text[0] == '-';
  const std::size_t first = negative ? 1 : 0;
  // "0" alone is the zero the picture leaves out; "0.5" loses its leading zero.
  if (text.compare(first, std::string::npos, "0") == 0) return {};
  if (text.compare(first, 2, "0.") == 0) text.erase(first, 1);
  return text;
}

std::string formatFixedOrExponent(double value, int precision, int digits) {
  if (precision < 1) precision = 1;
  std::string fixed = formatFixed(value, digits, false);
  if (!std::isfinite(value)) return fixed;
  const std::size_t start = fixed[0] == '-' ? 1 : 0;
  const std::size_t point = fixed.find('.');
  const std::size_t integerDigits = (point == std::string::npos ? fixed.size() : point) - start;
  const bool zeroInteger = fixed.compare(start, integerDigits, "0") == 0;
  if (zeroInteger || integerDigits <= static_cast<std::size_t>(precision)) return fixed;

  // The general exponent form: the value rounded to `precision` significant digits.
  char buf[64];
  const auto res =
      std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, precision - 1);
  const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
  const std::size_t ePos = sci.find('e');
  std::string mantissa(sci.substr(0, ePos));
  if (mantissa.find('.') != std::string::npos) {
    while (mantissa.back() == '0')
      mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
  }
  int exponent = 0;
  const char* expBegin = sci.data() + ePos + 1;
  if (*expBegin == '+') ++expBegin;
  std::from_chars(expBegin, sci.data() + sci.size(), exponent);
  return (value < 0 ? "-" : "") + mantissa + "E" + std::to_string(exponent);
}

}  // namespace platform
