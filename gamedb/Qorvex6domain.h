#pragma once

#include <cfloat>
#include <string_view>
#include <vector>

namespace Qorvex6 {

// The ranges of the numbers a game database holds. A save with a number outside its range is refused
// at load; the game itself never writes one, however long it is played.
//
// Derived values: what the game computes from stored values and writes back (capitalisations, index
// levels and their 52-week range, traded amounts and volumes, company balances, budgets, statistics,
// earnings ratios) is clamped into its column's range where it is computed, so that it stays inside
// whatever values inside these ranges it was computed from, and a save the game writes loads again. The
// ranges of the values read from a save are never widened for it. A float column never holds more than
// FLT_MAX, so a derived float is clamped before it is narrowed.
namespace domain {

// Money and share counts held as doubles (budgets, balances, traded amounts, capitalisations, volumes).
// Company balances grow by about 5 % a month, so a long game reaches large amounts, but this one lies
// hundreds of thousands of game days away and leaves room for the products with prices and rates.
inline constexpr double MAX_AMOUNT = 1e200;
// Figures held as 32-bit floats (prices, quantities, ratios, index levels, statistics), well below the
// float range so that the price bands around them stay finite: about 1.3e30. The bounds of float values
// are powers of two, so that a value at the bound keeps it when narrowed to a float.
inline constexpr double MAX_FIGURE = 0x1p100;
// Exchange rates (THB per unit), about 1e-12 to 1e12; a rate moves 1.25 % a day and stops at these.
inline constexpr double MIN_RATE = 0x1p-40;
inline constexpr double MAX_RATE = 0x1p40;
// The economic factors are fractions of 1.
inline constexpr double MAX_FACTOR = 1;

// Days held, dividend periods and their countdowns, ages of goods. Days held stop growing here.
inline constexpr int MAX_DAYS = 10'000'000;
// The days until an economic factor is reconsidered count down past 0; they stop at minus this.
inline constexpr int MAX_COUNTDOWN = 1'000'000'000;
inline constexpr int MAX_STARS = 1000;  // of one milestone
inline constexpr int LAST_CYCLE = 19;
inline constexpr int MAX_DAYCOUNT = 65535;
inline constexpr int MAX_CLOCK = MAX_DAYCOUNT * 10 + LAST_CYCLE;  // a price or index sample's clock
inline constexpr int MAX_POPULARITY = 255;
inline constexpr int MAX_TREND = 255;
inline constexpr int MAX_STATUS = 8;
inline constexpr int MAX_AUTOSAVE = 3;
inline constexpr int MAX_TIMELINE = 1;
inline constexpr int MAX_SPEED = 32;
inline constexpr double MIN_INT = -2147483648.0;
inline constexpr double MAX_INT = 2147483647.0;

// `value` clamped to [low, high]; NaN stays NaN, which is never written.
constexpr double clamped(double value, double low, double high) {
  return value < low ? low : (value > high ? high : value);
}
// A derived amount (a double column) and a derived figure (a float column) as they are written.
constexpr double clampedAmount(double value) {
  return clamped(value, 0, MAX_AMOUNT);
}
constexpr float clampedFigure(double value) {
  return static_cast<float>(clamped(value, -MAX_FIGURE, MAX_FIGURE));
}
// A double narrowed to a float without running past the float range.
constexpr float narrowed(double value) {
  return static_cast<float>(clamped(value, -FLT_MAX, FLT_MAX));
}

// A numeric column and the range its values (NULL read as 0) must lie in; `codes` lists the only
// values allowed (whole numbers), when there is such a list.
struct ColumnDomain {
  const char* column;
  double low;
  double high;
  const char* codes = nullptr;
};

struct TableDomain {
  const char* table;
  std::vector<ColumnDomain> columns;
};

// Every table the game reads but the profile, which is checked as it is read.
const std::vector<TableDomain>& tableDomains();
// The profile's numeric columns.
const std::vector<ColumnDomain>& profileDomains();
// The domain of `table`.`column` ("profile" for the profile's), or nullptr for a column without one.
const ColumnDomain* findDomain(std::string_view table, std::string_view column);

// A bound moved outwards by the rounding of the 15 significant digits in which the game writes numbers:
// a value at the bound, written and read again, stays inside.
double widenedLow(double low);
double widenedHigh(double high);
// Whether a value read from a save lies in the domain: finite, inside the widened range, and one of the
// codes when the domain lists them.
bool inDomain(const ColumnDomain& d, double value);

}  // namespace domain
}  // namespace Qorvex6
