#include "Qorvex6class.h"

#include <array>
#include <cstddef>

namespace Qorvex6 {

// The finder works on a window of 20 values with one counter per position. The extremes are those of
// the last 20 values (starting from -1 and 1e9); the window pass names positions of the whole series,
// which for 20 to 22 values all lie in the table.
//
// Outside that range:
// - fewer than 20 values: no full window exists; the extremes cover the values there are and no
//   points are reported;
// - more than 22 values: only the last 20 values are examined, so the points are positions within
//   that tail (0 = the 20th value from the end), the same window the extremes describe.
void QorvexCore::findTurningPoints(std::vector<float> series, std::vector<int>& points, float& maxValue,
                                   float& minValue) {
  constexpr std::size_t kWindow = 20;
  constexpr std::size_t kLongestWhole = 22;

  points.clear();
  maxValue = -1.0f;
  minValue = 1e9f;

  if (series.size() > kLongestWhole) {
    series.erase(series.begin(), series.end() - static_cast<std::ptrdiff_t>(kWindow));
  }
  const std::size_t n = series.size();

  const std::size_t first = n >= kWindow ? n - kWindow : 0;
  for (std::size_t k = first; k < n; ++k) {
    const float v = series[k];
    if (v > maxValue) maxValue = v;
    if (v < minValue) minValue = v;
  }
  if (n < kWindow) return;

  std::array<int, kWindow> counters{};
  for (std::size_t i = 1; i + 3 < n; ++i) {
    float lo = series[i];
    float hi = series[i];
    std::size_t loPos = i;
    std::size_t hiPos = i;
    for (std::size_t j = i - 1; j <= i + 1; ++j) {
      const float v = series[j];
      if (v <= lo) lo = v;
      if (v >= hi) hi = v;
      if (v == lo) loPos = j;
      if (v == hi) hiPos = j;
    }
    if (loPos != hiPos) {
      ++counters[loPos];
      ++counters[hiPos];
    }
  }

  int sum = 0;
  for (int c : counters)
    sum += c;
  const float average = static_cast<float>(sum) / static_cast<float>(kWindow);
  for (std::size_t k = 0; k < kWindow; ++k) {
    if (static_cast<float>(counters[k]) >= average) points.push_back(static_cast<int>(k));
  }
}

}  // namespace Qorvex6
