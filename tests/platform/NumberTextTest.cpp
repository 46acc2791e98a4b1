#include "NumberText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

using platform::floatToStr;
using platform::formatFixed;
using platform::formatNumber;
using platform::sqlNumber;

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The value rounded to 15 significant digits, as text, to compare two doubles at that precision.
std::string round15(double v) {
  if (v == 0) v = 0;  // -0 and 0 are the same number
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
  return std::string(buf, res.ptr);
}

struct FloatCase {
  double value;
  const char* text;
};

TEST(NumberTextTest, FloatToStrGeneralFormat) {
  const FloatCase cases[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {2.5, "2.5"},
      {-3.25, "-3.25"},
      {1.0, "1"},
      {1e8, "100000000"},
      {566000025600.0, "566000025600"},
      {double(0.1f), "0.100000001490116"},
      {double(3.14f), "3.14000010490417"},
      {1.0 / 3, "0.333333333333333"},
      {-2.0 / 3, "-0.666666666666667"},
      {123456789012345.6, "123456789012346"},
      {999999999999999.0, "999999999999999"},
      {1234567890123456.0, "1.23456789012346E15"},
      {1e15, "1E15"},
      {-1e15, "-1E15"},
      {9999999999999999.0, "1E16"},
      {1e20, "1E20"},
      {1.25e300, "1.25E300"},
      {1e-5, "0.00001"},
      {-1.5e-5, "-0.000015"},
      {0.000009999999999999999, "0.00001"},  // rounds up into fixed notation
      {1e-6, "1E-6"},
      {1.5e-6, "1.5E-6"},
      {-1.5e-6, "-1.5E-6"},
      {1.23e-100, "1.23E-100"},
      {5e-324, "4.94065645841247E-324"},
      {0.1 + 0.2, "0.3"},
      {100.0, "100"},
      {kNan, "NAN"},
      {kInf, "INF"},
      {-kInf, "-INF"},
  };
  for (const auto& c : cases) {
    const std::string text = floatToStr(c.value);
    EXPECT_EQ(text, c.text) << "value " << round15(c.value);
    if (!std::isfinite(c.value)) continue;
    double parsed = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), parsed);
    ASSERT_EQ(res.ec, std::errc{}) << text;
    EXPECT_EQ(res.ptr, text.data() + text.size()) << text;
    EXPECT_EQ(round15(parsed), round15(c.value)) << text;
  }
}

TEST(NumberTextTest, SqlNumberRejectsNonFinite) {
  EXPECT_EQ(sqlNumber(-3.25), "-3.25");
  EXPECT_EQ(sqlNumber(1e20), "1E20");
  EXPECT_EQ(sqlNumber(kNan), "\\NAN");
  EXPECT_EQ(sqlNumber(kInf), "\\INF");
  EXPECT_EQ(sqlNumber(-kInf), "\\-INF");
}

struct FixedCase {
  double value;
  int decimals;
  bool grouped;
  const char* text;
};

TEST(NumberTextTest, FormatFixedRoundingGroupingAndSign) {
  const FixedCase cases[] = {
      // Exact binary ties go away from zero; values just below a tie in binary go down.
      {1234.5, 0, false, "1235"},
      {2.5, 0, false, "3"},
      {-2.5, 0, false, "-3"},
      {0.5, 0, false, "1"},
      {-0.5, 0, false, "-1"},
      {0.125, 2, false, "0.13"},
      {-0.125, 2, false, "-0.13"},
      {0.375, 2, false, "0.38"},
      {2.675, 2, false, "2.67"},
      {1.005, 2, false, "1.00"},
      {0.4999999999999999, 0, false, "0"},
      {0.15, 1, false, "0.1"},
      {0.35, 1, false, "0.3"},
      {0.45, 1, false, "0.5"},
      {9.995, 2, false, "9.99"},
      {9.9951, 2, false, "10.00"},
      {999.9999, 3, true, "1,000.000"},
      {99999.5, 0, true, "100,000"},
      // Zero never carries a sign.
      {-0.001, 2, false, "0.00"},
      {-0.0, 0, false, "0"},
      {-0.4, 0, true, "0"},
      {0.0, 4, true, "0.0000"},
      // Grouping.
      {1234567.891, 2, true, "1,234,567.89"},
      {1234567.891, 2, false, "1234567.89"},
      {999999.99, 2, true, "999,999.99"},
      {100000.0, 0, true, "100,000"},
      {12345.0, 1, true, "12,345.0"},
      {999.0, 0, true, "999"},
      {-1000.0, 0, true, "-1,000"},
      {-2000000.0, 2, true, "-2,000,000.00"},
      {2.4e18, 0, true, "2,400,000,000,000,000,000"},
      {2.4e18, 0, false, "2400000000000000000"},
      {1e22, 1, false, "10000000000000000000000.0"},
      // Decimals 0..4 and out of range.
      {0.4, 4, false, "0.4000"},
      {3.14159, 1, false, "3.1"},
      {3.14159, 3, false, "3.142"},
      {1.5, -2, false, "2"},
      {1e-300, 2, false, "0.00"},
      {kNan, 2, true, "NAN"},
      {kInf, 0, true, "INF"},
      {-kInf, 0, true, "-INF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatFixed(c.value, c.decimals, c.grouped), c.text)
        << round15(c.value) << " decimals " << c.decimals << (c.grouped ? " grouped" : "");
  }
}

TEST(NumberTextTest, FormatNumberPatterns) {
  struct PatternCase {
    const char* pattern;
    double value;
    const char* text;
  };
  const PatternCase cases[] = {
      {"THB %0.2n", 999999.99, "THB 999,999.99"},
      {"THB %0.2n Mil.", 1.0, "THB 1.00 Mil."},
      {"GBP %0.0n", 2500000, "GBP 2,500,000"},
      {"THB %0.3n Bil.", 1.5, "THB 1.500 Bil."},
      {"HKD %0.0n Bil.", 2.4, "HKD 2 Bil."},
      {"SGD %0.2n", -2000000, "SGD -2,000,000.00"},
      {"%0.4f", 0.4, "0.4000"},
      {"%0.0f", 1234.5, "1235"},
      {"%0.2f", 1234567.5, "1234567.50"},
      {"%.1n", 12345.67, "12,345.7"},
      {"%.2f", -0.004, "0.00"},
      {"%0.1f%% up", 12.25, "12.3% up"},
      {"%%%0.0n%%", 1000, "%1,000%"},
      {"%0.12f", 0.1, "0.100000000000"},
      {"[%4.2f]", 3.14159, "[3.14]"},
      {"[%4.2f]", 0.5, "[0.50]"},
      {"[%6.2f]", -1.5, "[ -1.50]"},
      {"[%12.0n]", 1234567, "[   1,234,567]"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(formatNumber(c.pattern, c.value), c.text) << c.pattern;
}

TEST(NumberTextTest, FormatNumberRejectsBadPatterns) {
  const char* const patterns[] = {
      "",      "no directive", "%%", "%0.2n and %0.2f", "%0.2",   "%0.n",    "%0.123f", "%2n",
      "%0.2d", "50% off",      "%",  "%0,2n",           "%-0.2n", "%0.2n %",
  };
  for (const char* p : patterns)
    EXPECT_THROW(formatNumber(p, 1.0), std::invalid_argument) << p;
}

TEST(NumberTextTest, OptionalDecimalsAndFixedOrExponent) {
  const struct {
    double value;
    const char* text;
  } pictures[] = {
      {0.6487529, ".649"}, {0.6487529f, ".649"}, {2.5, "2.5"},  {1.0, "1"},
      {0.1005, ".101"},    {0.9996, "1"},        {0.0004, ""},  {0.0, ""},
      {-0.25, "-.25"},     {12.3456, "12.346"},  {kNan, "NAN"},
  };
  for (const auto& c : pictures)
    EXPECT_EQ(platform::formatOptionalDecimals(c.value, 3), c.text) << round15(c.value);

  const struct {
    double value;
    const char* text;
  } fixed[] = {
      {1, "1"},     {20, "20"},       {0.4, "0"},         {99.4, "99"}, {99.6, "1E2"}, {239, "2.4E2"},
      {-17, "-17"}, {-170, "-1.7E2"}, {12345.6, "1.2E4"}, {100, "1E2"}, {kInf, "INF"},
  };
  for (const auto& c : fixed)
    EXPECT_EQ(platform::formatFixedOrExponent(c.value, 2, 0), c.text) << round15(c.value);
  EXPECT_EQ(platform::formatFixedOrExponent(3.14159, 3, 2), "3.14");
}

// Restores the whole locale when the test ends, whatever the outcome.
class LocaleGuard {
 public:
  LocaleGuard() : saved_(std::setlocale(LC_ALL, nullptr)) {}
  ~LocaleGuard() { std::setlocale(LC_ALL, saved_.c_str()); }
  LocaleGuard(const LocaleGuard&) = delete;
  LocaleGuard& operator=(const LocaleGuard&) = delete;

 private:
  std::string saved_;
};

TEST(NumberTextTest, IgnoresCommaDecimalLocale) {
  LocaleGuard guard;
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 2.5);
  ASSERT_STREQ(probe, "2,5") << "the locale did not switch the C library to a comma";

  EXPECT_EQ(floatToStr(2.5), "2.5");
  EXPECT_EQ(floatToStr(1.5e-6), "1.5E-6");
  EXPECT_EQ(sqlNumber(-3.25), "-3.25");
  EXPECT_EQ(formatFixed(1234567.891, 2, true), "1,234,567.89");
  EXPECT_EQ(formatNumber("THB %0.2n", 999999.99), "THB 999,999.99");
}

}  // namespace
