// The value scale of the history charts: round ticks over the values, each with the text it shows.

#pragma once

#include <string>
#include <vector>

namespace desk {

struct AxisTick {
  double value;
  std::string text;
};

// At most maxTicks (at least 2) round ticks, 1, 2 or 5 times a power of ten apart, over low..high
// widened by a small pad that never crosses 0 from above; the first and last tick are the scale's ends.
std::vector<AxisTick> axisTicks(double low, double high, int maxTicks, int currency);

// The text of a tick on a scale of the step: thousands grouped, whole on a whole step ("12,500"),
// else with the cents or the finer decimals the step needs ("12.50", "0.046"); from a million on, the money
// figure of the currency ("1.50 Mil.", "4.000 Bil.") where that figure is the tick exactly.
std::string tickText(double value, double step, int currency);

}  // namespace desk
