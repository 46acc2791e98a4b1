#include "AxisTicks.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "ListSort.h"
#include "NumberText.h"
#include "Qorvex6engine.h"

namespace desk {

namespace {

// Slack for the binary error of a value divided by its step.
constexpr double kSlack = 1e-9;

// The smallest round step that covers lo..hi in at most `intervals` steps from a multiple of itself.
double roundStep(double lo, double hi, int intervals) {
  double power = std::pow(10.0, std::floor(std::log10((hi - lo) / intervals)));
  for (;;) {
    for (const double factor : {1.0, 2.0, 5.0}) {
      const double step = factor * power;
      if (std::ceil(hi / step - kSlack) - std::floor(lo / step + kSlack) <= intervals) return step;
    }
    power *= 10;
  }
}

}  // namespace

std::vector<AxisTick> axisTicks(double low, double high, int maxTicks, int currency) {
  const double pad = high > low ? (high - low) * 0.08 : (high != 0 ? std::abs(high) * 0.05 : 1.0);
  const double lo = low >= 0 ? std::max(0.0, low - pad) : low - pad;
  const double hi = high + pad;
  const double step = roundStep(lo, hi, std::max(1, maxTicks - 1));
  const auto first = static_cast<long long>(std::floor(lo / step + kSlack));
  const auto last = std::max(first + 1, static_cast<long long>(std::ceil(hi / step - kSlack)));
  std::vector<AxisTick> ticks;
  for (long long k = first; k <= last; ++k) {
    const double value = static_cast<double>(k) * step;
    ticks.push_back({value, tickText(value, step, currency)});
  }
  return ticks;
}

std::string tickText(double value, double step, int currency) {
  // Whole steps show whole numbers; others at least the cents, as the game writes money.
  const int needed = static_cast<int>(std::ceil(-std::log10(step) - kSlack));
  const int decimals = needed <= 0 ? 0 : std::max(2, needed);
  const std::string grouped = platform::formatNumber("%0." + std::to_string(decimals) + "n", value);
  if (value < 1000000) return grouped;
  const std::string figure = Qorvex6::moneyFigure(value, currency);
  const std::optional<double> shown = cellNumber(figure);
  return shown && std::abs(*shown - value) <= step * 1e-6 ? figure : grouped;
}

}  // namespace desk
