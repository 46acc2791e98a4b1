#include "Ptrendanalytic.h"

#include <algorithm>
#include <cmath>

namespace TrendAnalytic {

namespace {

constexpr float kEmptyMax = -1e10f;
constexpr float kEmptyMin = 1e10f;
constexpr int kMinFitCount = 20;
constexpr double kSharpAngle = 0.8;

// Sum of the relative steps between consecutive listed positions, each step taken relative to the
// larger of its two values (0 when that value is 0).
float slopeAlong(const std::vector<float>& values, const std::vector<int>& positions) {
  float sum = 0.0f;
  float prev = values[positions.front()];
  for (std::size_t k = 1; k < positions.size(); ++k) {
    const float v = values[positions[k]];
    const float m = v > prev ? v : prev;
    const float term = m == 0.0f ? 0.0f : (v - prev) / m;
    sum += term;
    prev = v;
  }
  return sum;
}

}  // namespace

void pTrend::clear() {
  values.clear();
  maxValue = kEmptyMax;
  minValue = kEmptyMin;
  maxIndex = -1;
  minIndex = -1;
}

int pTrend::add(float v) {
  const int pos = count();
  if (v >= maxValue) {
    maxValue = v;
    maxIndex = pos;
  }
  if (v <= minValue) {
    minValue = v;
    minIndex = pos;
  }
  values.push_back(v);
  return count();
}

int pTrend::removeAt(int i) {
  if (i < 0 || i >= count()) return -1;
  values.erase(values.begin() + i);
  if (i == minIndex) {
    recomputeMin();
  } else if (i < minIndex) {
    --minIndex;
  }
  if (i == maxIndex) {
    recomputeMax();
  } else if (i < maxIndex) {
    --maxIndex;
  }
  return count();
}

float pTrend::valueAt(int i) const {
  if (i < 0 || i >= count()) return 0.0f;
  return values[static_cast<std::size_t>(i)];
}

void pTrend::addToAll(float c) {
  for (float& v : values)
    v += c;
  maxValue += c;
  minValue += c;
}

void pTrend::multiplyAll(float c) {
  for (float& v : values)
    v *= c;
  maxValue *= c;
  minValue *= c;
}

void pTrend::recomputeMin() {
  minValue = kEmptyMin;
  minIndex = -1;
  for (int i = 0; i < count(); ++i) {
    if (values[static_cast<std::size_t>(i)] <= minValue) {
      minValue = values[static_cast<std::size_t>(i)];
      minIndex = i;
    }
  }
}

void pTrend::recomputeMax() {
  maxValue = kEmptyMax;
  maxIndex = -1;
  for (int i = 0; i < count(); ++i) {
    if (values[static_cast<std::size_t>(i)] >= maxValue) {
      maxValue = values[static_cast<std::size_t>(i)];
      maxIndex = i;
    }
  }
}

void pTrend::setValues(std::vector<float> series) {
  values = std::move(series);
}

bool pTrend::reverse() {
  std::reverse(values.begin(), values.end());
  if (maxIndex != -1) maxIndex = count() - maxIndex - 1;
  if (minIndex != -1) minIndex = count() - minIndex - 1;
  return true;
}

void pTrend::removeRepeats() {
  values.erase(std::unique(values.begin(), values.end()), values.end());
}

bool pTrend::isPeak(int i) const {
  if (i < 1 || i > count() - 2) return false;
  const auto k = static_cast<std::size_t>(i);
  return values[k - 1] < values[k] && values[k] > values[k + 1];
}

bool pTrend::isTrough(int i) const {
  if (i < 1 || i > count() - 2) return false;
  const auto k = static_cast<std::size_t>(i);
  return values[k - 1] > values[k] && values[k] < values[k + 1];
}

bool pTrendFitter::refit() {
  std::uint8_t trendClass = 0;
  std::uint8_t strength = 0;
  fit(&trendClass, &strength);
  return true;
}

void pTrendFitter::fit(std::uint8_t* trendClass, std::uint8_t* strength) {
  removeRepeats();
  const int n = count();
  if (n < kMinFitCount) return;

  peaks.assign(1, 0);
  troughs.assign(1, 0);
  for (int i = 1; i <= n - 2; ++i) {
    if (isPeak(i)) {
      peaks.push_back(i);
    } else if (isTrough(i)) {
      troughs.push_back(i);
    }
  }
  peaks.push_back(n - 1);
  troughs.push_back(n - 1);

  const float s1 = slopeAlong(values, peaks);
  const float s2 = slopeAlong(values, troughs);

  // The arc tangents run in double precision; the angle is kept as a float and compared in double.
  const float angle = static_cast<float>(std::fabs(std::atan(0.5 * (static_cast<double>(s1) + s2))));
  const double pi = 4.0 * std::atan(1.0);
  const double rawStrength = 512.0 * std::fabs(std::atan(static_cast<double>(s1)) - std::atan(s2)) / pi;

  std::uint8_t cls = TREND_UNKNOWN;
  if (s1 > 0.0f && s2 >= 0.0f) {
    cls = static_cast<double>(angle) < kSharpAngle ? TREND_RISING : TREND_SHARP_RISING;
  } else if (s1 < 0.0f && s2 <= 0.0f) {
    cls = static_cast<double>(angle) < kSharpAngle ? TREND_FALLING : TREND_SHARP_FALLING;
  }

  // With slopes of one sign the figure stays below 256, except in the limit of an infinite slope
  // beside a zero one, where it reaches 256 exactly: clamp so it never wraps to 0.
  std::uint8_t str = 0;
  if (cls != TREND_UNKNOWN) str = static_cast<std::uint8_t>(std::min(std::trunc(rawStrength), 255.0));

  if (trendClass != nullptr) *trendClass = cls;
  if (strength != nullptr) *strength = str;
}

}  // namespace TrendAnalytic
