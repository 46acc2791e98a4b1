#include "NumberParse.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <optional>
#include <string>

namespace {

using platform::decimalPrefix;
using platform::integerPrefix;
using platform::parseDecimal;

struct ParseCase {
  const char* text;
  std::optional<double> strict;  // parseDecimal
  double prefix;                 // decimalPrefix
};

TEST(NumberParseTest, DecimalTextStrictAndPrefix) {
  const double inf = HUGE_VAL;
  const ParseCase cases[] = {
      {"2.5", 2.5, 2.5},
      {"  -3.25 ", -3.25, -3.25},
      {"+7", 7.0, 7.0},
      {"1e3", 1000.0, 1000.0},
      {"1.5E-2", 0.015, 0.015},
      {".5", 0.5, 0.5},
      {"5.", 5.0, 5.0},
      {"", std::nullopt, 0},
      {" ", std::nullopt, 0},
      {"abc", std::nullopt, 0},
      {" 2.5x", std::nullopt, 2.5},
      {"2,5", std::nullopt, 2},
      {"1,000", std::nullopt, 1},
      {"0x10", std::nullopt, 0},
      {"inf", std::nullopt, 0},
      {"nan", std::nullopt, 0},
      {"-", std::nullopt, 0},
      {".", std::nullopt, 0},
      {"1e", std::nullopt, 1},
      {"1e+", std::nullopt, 1},
      {"3e-2x", std::nullopt, 0.03},
      {"1e400", std::nullopt, inf},
      {"-1e400", std::nullopt, -inf},
      {"1e-400", 0.0, 0},
      {"0.000e999", 0.0, 0},
      {"2 3", std::nullopt, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(parseDecimal(c.text), c.strict) << '"' << c.text << '"';
    EXPECT_EQ(decimalPrefix(c.text), c.prefix) << '"' << c.text << '"';
  }
}

TEST(NumberParseTest, IntegerPrefixSaturates) {
  const struct {
    const char* text;
    int value;
  } cases[] = {
      {"42", 42},
      {"-17", -17},
      {"7abc", 7},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {" 5", 0},
      {"+5", 0},
      {"2.9", 2},
      {"2147483647", INT_MAX},
      {"2147483648", INT_MAX},
      {"99999999999", INT_MAX},
      {"-2147483648", INT_MIN},
      {"-99999999999999999999", INT_MIN},
  };
  for (const auto& c : cases)
    EXPECT_EQ(integerPrefix(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumberParseTest, IgnoresCommaDecimalLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
  const std::optional<double> point = parseDecimal("2.5");
  const std::optional<double> comma = parseDecimal("2,5");
  const double prefix = decimalPrefix("2,5");
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(point, 2.5);
  EXPECT_EQ(comma, std::nullopt);
  EXPECT_EQ(prefix, 2.0);
}

}  // namespace
