#include "NumberParse.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace platform {
namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The length of the longest decimal number at the start of text; 0 when there is none.
std::size_t decimalLength(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && isDigit(text[i])) {
    ++i;
    ++digits;
  }
  if (i < text.size() && text[i] == '.') {
    std::size_t j = i + 1;
    std::size_t fraction = 0;
    while (j < text.size() && isDigit(text[j])) {
      ++j;
      ++fraction;
    }
    // A lone point belongs to the number only after digits ("5." reads as 5).
    if (digits + fraction > 0) {
      i = j;
      digits += fraction;
    }
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && isDigit(text[j])) {
      while (j < text.size() && isDigit(text[j]))
        ++j;
      i = j;
    }
  }
  return i;
}

// Whether a decimal number that does not fit a double lies above its range (rather than below it).
bool isOverflow(std::string_view number) {
  long long scale = 0;  // the power of ten of the first significant digit
  bool seenSignificant = false;
  bool afterPoint = false;
  std::size_t i = 0;
  for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
    const char c = number[i];
    if (c == '.') {
      afterPoint = true;
    } else if (isDigit(c)) {
      if (!seenSignificant && c != '0') seenSignificant = true;
      if (seenSignificant && !afterPoint) ++scale;
      if (!seenSignificant && afterPoint) --scale;
    }
  }
  if (i < number.size()) {
    long long exponent = 0;
    bool negative = false;
    ++i;
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) negative = number[i++] == '-';
    for (; i < number.size() && exponent < 100000; ++i)
      exponent = exponent * 10 + (number[i] - '0');
    scale += negative ? -exponent : exponent;
  }
  return scale > 0;
}

// Converts a text that decimalLength accepted in full.
double convert(std::string_view number, bool* outOfRange) {
  const bool negative = !number.empty() && number[0] == '-';
  if (!number.empty() && (number[0] == '-' || number[0] == '+')) number.remove_prefix(1);
  double value = 0;
  const auto res = std::from_chars(number.data(), number.data() + number.size(), value);
  *outOfRange = res.ec == std::errc::result_out_of_range;
  if (*outOfRange) value = isOverflow(number) ? std::numeric_limits<double>::infinity() : 0.0;
  return negative ? -value : value;
}

}  // namespace

std::optional<double> parseDecimal(std::string_view text) {
  while (!text.empty() && isBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back()))
    text.remove_suffix(1);
  const std::size_t length = decimalLength(text);
  if (length == 0 || length != text.size()) return std::nullopt;
  bool outOfRange = false;
  const double value = convert(text, &outOfRange);
  if (outOfRange && std::isinf(value)) return std::nullopt;
  return value;
}

double decimalPrefix(std::string_view text) {
  while (!text.empty() && isBlank(text.front()))
    text.remove_prefix(1);
  const std::size_t length = decimalLength(text);
  if (length == 0) return 0;
  bool outOfRange = false;
  return convert(text.substr(0, length), &outOfRange);
}

int integerPrefix(std::string_view text) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) ++i;
  long long value = 0;
  bool any = false;
  for (; i < text.size() && isDigit(text[i]); ++i) {
    any = true;
    if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (text[i] - '0');
  }
  if (!any) return 0;
  if (negative) return value > static_cast<long long>(INT_MAX) + 1 ? INT_MIN : static_cast<int>(-value);
  return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

}  // namespace platform
