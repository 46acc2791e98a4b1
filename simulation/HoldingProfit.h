// A holding's gain or loss in percent of what it cost, as every page shows it.

#pragma once

#include <cmath>

namespace Qorvex6 {

// (current - average) x 100 / average: a long holding loses at most 100 %. 0 without a price or a cost.
inline double holdingProfitPercent(double current, double average) {
  if (!(current > 0) || !(average > 0)) return 0;
  const double percent = (current - average) * 100 / average;
  return std::isfinite(percent) ? percent : 0;
}

}  // namespace Qorvex6
