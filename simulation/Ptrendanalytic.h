#pragma once

#include <cstdint>
#include <vector>

namespace TrendAnalytic {

constexpr std::uint8_t TREND_UNKNOWN = 0;
constexpr std::uint8_t TREND_RISING = 1;
constexpr std::uint8_t TREND_SHARP_RISING = 2;
constexpr std::uint8_t TREND_FALLING = 3;
constexpr std::uint8_t TREND_SHARP_FALLING = 4;

// A series of single-precision values that keeps its extremes; where several positions hold an
// extreme, the later position is recorded.
class pTrend {
 public:
  pTrend() = default;

  void clear();
  int add(float v);
  int removeAt(int i);  // -1 and no change for a position outside the series
  float valueAt(int i) const;
  void addToAll(float c);
  void multiplyAll(float c);
  void recomputeMin();
  void recomputeMax();
  float getMax() const { return maxValue; }
  float getMin() const { return minValue; }
  int count() const { return static_cast<int>(values.size()); }
  std::vector<float> getValues() const { return values; }
  void setValues(std::vector<float> series);  // the extremes are left as they were
  bool reverse();
  void removeRepeats();  // collapses runs of equal neighbours; the extremes are left as they were
  bool isPeak(int i) const;
  bool isTrough(int i) const;

 protected:
  std::vector<float> values;
  float maxValue = -1e10f;
  float minValue = 1e10f;
  int maxIndex = -1;
  int minIndex = -1;
};

// Finds the peaks and troughs of the series and fits its trend class and strength.
class pTrendFitter : public pTrend {
 public:
  pTrendFitter() = default;
  virtual ~pTrendFitter() = default;

  virtual bool refit();
  // Writes both outputs only when the series has at least 20 values once equal neighbours collapse.
  virtual void fit(std::uint8_t* trendClass, std::uint8_t* strength);

  std::vector<int> getPeaks() const { return peaks; }
  std::vector<int> getTroughs() const { return troughs; }

 private:
  std::vector<int> peaks;
  std::vector<int> troughs;
};

}  // namespace TrendAnalytic
