#include "Ptrendanalytic.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "Qorvex6class.h"

namespace {

using TrendAnalytic::pTrend;
using TrendAnalytic::pTrendFitter;

// Exposes the recorded extreme positions.
struct ProbeTrend : pTrend {
  int maxPos() const { return maxIndex; }
  int minPos() const { return minIndex; }
};

std::vector<float> ramp(int from, int to) {
  std::vector<float> v;
  const int step = from <= to ? 1 : -1;
  for (int x = from;; x += step) {
    v.push_back(static_cast<float>(x));
    if (x == to) break;
  }
  return v;
}

template <typename T>
std::vector<T> concat(std::vector<T> a, const std::vector<T>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// 1, 0, 3, 2, ..., 19, 18
std::vector<float> zigzag() {
  std::vector<float> v;
  for (int k = 0; k < 10; ++k) {
    v.push_back(static_cast<float>(2 * k + 1));
    v.push_back(static_cast<float>(2 * k));
  }
  return v;
}

const std::vector<int> kZigzagPeaks = {0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 19};
const std::vector<int> kZigzagTroughs = {0, 1, 3, 5, 7, 9, 11, 13, 15, 17, 19};

struct FitCase {
  const char* name;
  std::vector<float> values;
  std::uint8_t trendClass;
  std::uint8_t strength;
  std::vector<int> peaks;
  std::vector<int> troughs;
  int countAfter;
};

TEST(TrendFitTest, ClassStrengthAndTurningPositions) {
  const FitCase cases[] = {
      // s1 = s2 = 19/20; angle atan(0.95) ~ 0.7598
      {"rising", ramp(1, 20), TrendAnalytic::TREND_RISING, 0, {0, 19}, {0, 19}, 20},
      {"falling", ramp(20, 1), TrendAnalytic::TREND_FALLING, 0, {0, 19}, {0, 19}, 20},
      // s1 ~ 2.2139, s2 ~ 1.8290, angle ~ 1.1114; 512 * (atan s1 - atan s2) / pi ~ 12.4
      {"zigzag", zigzag(), TrendAnalytic::TREND_SHARP_RISING, 12, kZigzagPeaks, kZigzagTroughs, 20},
      // Peaks 2^20, 2^19 .. 2^11, 0.5: nine steps of -1/2, then -2047.5/2048, so s1 = -5.499755859375.
      // Troughs 2^20, 2^16, 2^14 .. 1, 0.5: -15/16, eight steps of -3/4, -1/2, so s2 = -7.4375.
      // angle = atan(6.4688) ~ 1.417; 512 * (atan 7.4375 - atan 5.4998) / pi = 512 * 0.04621 / pi ~ 7.53.
      {"halving",
       {1048576, 65536, 524288, 16384, 262144, 4096, 131072, 1024, 65536, 256,
        32768,   64,    16384,  16,    8192,   4,    4096,   1,    2048,  0.5f},
       TrendAnalytic::TREND_SHARP_FALLING,
       7,
       kZigzagPeaks,
       kZigzagTroughs,
       20},
      // Collapses to 1 .. 21: s1 = s2 = 20/21, angle ~ 0.761.
      {"leading repeats",
       concat<float>({1, 1, 1, 1}, ramp(1, 21)),
       TrendAnalytic::TREND_RISING,
       0,
       {0, 20},
       {0, 20},
       21},
      // Every peak is 0, so s1 = 0; s2 = -1 would give a strength of 128.
      {"zero peaks",
       {0, -1, -2, 0, -1, 0, -1, 0, -1, 0, -1, 0, -1, 0, -1, 0, -1, 0, -1, 0},
       TrendAnalytic::TREND_UNKNOWN,
       0,
       {0, 3, 5, 7, 9, 11, 13, 15, 17, 19},
       {0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 19},
       20},
      // Rising peaks, falling troughs: s1 ~ 0.666, s2 ~ -0.979 (raw strength ~ 222).
      {"widening",
       {10, 9, 11, 8, 12, 7, 13, 6, 14, 5, 15, 4, 16, 3, 17, 2, 18, 1, 19, 20},
       TrendAnalytic::TREND_UNKNOWN,
       0,
       {0, 2, 4, 6, 8, 10, 12, 14, 16, 19},
       {0, 1, 3, 5, 7, 9, 11, 13, 15, 17, 19},
       20},
      // s1 ~ 1e30 beside s2 = 0: the figure reaches 256 and is held at 255.
      {"unbounded slope",
       {-1e30f, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, -0.5f},
       TrendAnalytic::TREND_SHARP_RISING,
       255,
       {0, 1, 3, 5, 7, 9, 11, 13, 15, 17, 19},
       {0, 2, 4, 6, 8, 10, 12, 14, 16, 19},
       20},
  };
  for (const FitCase& c : cases) {
    SCOPED_TRACE(c.name);
    pTrendFitter fitter;
    for (float v : c.values)
      fitter.add(v);
    std::uint8_t trendClass = 0xEE;
    std::uint8_t strength = 0xEE;
    fitter.fit(&trendClass, &strength);
    EXPECT_EQ(trendClass, c.trendClass);
    EXPECT_EQ(strength, c.strength);
    EXPECT_EQ(fitter.getPeaks(), c.peaks);
    EXPECT_EQ(fitter.getTroughs(), c.troughs);
    EXPECT_EQ(fitter.count(), c.countAfter);
  }
}

TEST(TrendFitTest, ShortSeriesWritesNothingAndKeepsLists) {
  pTrendFitter fitter;
  fitter.setValues(zigzag());
  std::uint8_t trendClass = 0;
  std::uint8_t strength = 0;
  fitter.fit(&trendClass, &strength);
  ASSERT_EQ(trendClass, TrendAnalytic::TREND_SHARP_RISING);

  // Twenty values, two equal neighbours: 19 after collapsing.
  fitter.setValues(concat(ramp(1, 10), ramp(10, 19)));
  trendClass = 0xEE;
  strength = 0xEE;
  fitter.fit(&trendClass, &strength);
  EXPECT_EQ(trendClass, 0xEE);
  EXPECT_EQ(strength, 0xEE);
  EXPECT_EQ(fitter.getPeaks(), kZigzagPeaks);
  EXPECT_EQ(fitter.getTroughs(), kZigzagTroughs);
  EXPECT_EQ(fitter.getValues(), ramp(1, 19));
}

TEST(TrendFitTest, RefitRefreshesListsWithoutOutputs) {
  pTrendFitter fitter;
  fitter.setValues(zigzag());
  EXPECT_TRUE(fitter.refit());
  EXPECT_EQ(fitter.getPeaks(), kZigzagPeaks);
  EXPECT_EQ(fitter.getTroughs(), kZigzagTroughs);

  fitter.setValues(ramp(1, 20));
  fitter.fit(nullptr, nullptr);
  EXPECT_EQ(fitter.getPeaks(), (std::vector<int>{0, 19}));
}

TEST(TrendSeriesTest, EqualExtremeMovesToLaterPositionAndReverseMirrorsIt) {
  ProbeTrend t;
  EXPECT_EQ(t.getMax(), -1e10f);
  EXPECT_EQ(t.getMin(), 1e10f);
  EXPECT_EQ(t.add(3), 1);
  EXPECT_EQ(t.add(5), 2);
  EXPECT_EQ(t.add(1), 3);
  EXPECT_EQ(t.add(5), 4);
  EXPECT_EQ(t.getMax(), 5.0f);
  EXPECT_EQ(t.maxPos(), 3);
  EXPECT_EQ(t.getMin(), 1.0f);
  EXPECT_EQ(t.minPos(), 2);

  EXPECT_TRUE(t.reverse());
  EXPECT_EQ(t.getValues(), (std::vector<float>{5, 1, 5, 3}));
  EXPECT_EQ(t.maxPos(), 0);
  EXPECT_EQ(t.minPos(), 1);

  t.clear();
  EXPECT_EQ(t.count(), 0);
  EXPECT_EQ(t.getMax(), -1e10f);
  EXPECT_EQ(t.getMin(), 1e10f);
  EXPECT_TRUE(t.reverse());
  EXPECT_EQ(t.maxPos(), -1);
  EXPECT_EQ(t.minPos(), -1);
}

struct RemoveCase {
  int index;
  int result;
  std::vector<float> values;
  float minValue;
  int minPos;
  float maxValue;
  int maxPos;
};

TEST(TrendSeriesTest, RemoveAtRescansOrShiftsExtremes) {
  const std::vector<float> base = {5, 2, 8, 1, 9, 2};  // min 1 at 3, max 9 at 4
  const RemoveCase cases[] = {
      {3, 5, {5, 2, 8, 9, 2}, 2, 4, 9, 3},  // the minimum: rescan, the later 2 wins
      {1, 5, {5, 8, 1, 9, 2}, 1, 2, 9, 3},  // before both: both shift
      {4, 5, {5, 2, 8, 1, 2}, 1, 3, 8, 2},  // the maximum: rescan
      {5, 5, {5, 2, 8, 1, 9}, 1, 3, 9, 4},  // after both
      {6, -1, base, 1, 3, 9, 4},           {-1, -1, base, 1, 3, 9, 4},
  };
  for (const RemoveCase& c : cases) {
    SCOPED_TRACE(c.index);
    ProbeTrend t;
    for (float v : base)
      t.add(v);
    EXPECT_EQ(t.removeAt(c.index), c.result);
    EXPECT_EQ(t.getValues(), c.values);
    EXPECT_EQ(t.getMin(), c.minValue);
    EXPECT_EQ(t.minPos(), c.minPos);
    EXPECT_EQ(t.getMax(), c.maxValue);
    EXPECT_EQ(t.maxPos(), c.maxPos);
  }
}

TEST(TrendSeriesTest, ValueAtOutsideIsZero) {
  pTrend t;
  EXPECT_EQ(t.valueAt(0), 0.0f);
  t.add(1.5f);
  t.add(2.5f);
  EXPECT_EQ(t.valueAt(0), 1.5f);
  EXPECT_EQ(t.valueAt(1), 2.5f);
  EXPECT_EQ(t.valueAt(2), 0.0f);
  EXPECT_EQ(t.valueAt(-1), 0.0f);
}

TEST(TrendSeriesTest, AddToAllAndMultiplyAllMoveValuesAndExtremes) {
  ProbeTrend t;
  for (float v : {3.0f, -1.0f, 4.0f})
    t.add(v);
  t.addToAll(2);
  EXPECT_EQ(t.getValues(), (std::vector<float>{5, 1, 6}));
  EXPECT_EQ(t.getMax(), 6.0f);
  EXPECT_EQ(t.getMin(), 1.0f);

  // A negative factor scales the extremes in place; the positions stay.
  t.multiplyAll(-2);
  EXPECT_EQ(t.getValues(), (std::vector<float>{-10, -2, -12}));
  EXPECT_EQ(t.getMax(), -12.0f);
  EXPECT_EQ(t.getMin(), -2.0f);
  EXPECT_EQ(t.maxPos(), 2);
  EXPECT_EQ(t.minPos(), 1);
}

TEST(TrendSeriesTest, ReplacingTheSeriesLeavesExtremesUntilRecomputed) {
  ProbeTrend t;
  t.add(1);
  t.add(9);
  t.setValues({4, 4, 7, 7, 7, 4, 2, 2});
  EXPECT_EQ(t.getMax(), 9.0f);
  EXPECT_EQ(t.maxPos(), 1);
  EXPECT_EQ(t.getMin(), 1.0f);
  EXPECT_EQ(t.minPos(), 0);

  t.removeRepeats();
  EXPECT_EQ(t.getValues(), (std::vector<float>{4, 7, 4, 2}));
  EXPECT_EQ(t.getMax(), 9.0f);
  EXPECT_EQ(t.getMin(), 1.0f);

  t.setValues({2, 7, 2, 7});
  t.recomputeMax();
  t.recomputeMin();
  EXPECT_EQ(t.getMax(), 7.0f);
  EXPECT_EQ(t.maxPos(), 3);
  EXPECT_EQ(t.getMin(), 2.0f);
  EXPECT_EQ(t.minPos(), 2);

  t.setValues({});
  t.recomputeMax();
  t.recomputeMin();
  EXPECT_EQ(t.getMax(), -1e10f);
  EXPECT_EQ(t.maxPos(), -1);
  EXPECT_EQ(t.getMin(), 1e10f);
  EXPECT_EQ(t.minPos(), -1);
}

TEST(TrendSeriesTest, PeaksAndTroughsAreStrictAndInterior) {
  pTrend t;
  t.setValues({1, 3, 2, 2, 0, 4});
  const bool peak[] = {false, true, false, false, false, false};
  const bool trough[] = {false, false, false, false, true, false};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(t.isPeak(i), peak[i]);
    EXPECT_EQ(t.isTrough(i), trough[i]);
  }
  EXPECT_FALSE(t.isPeak(-1));
  EXPECT_FALSE(t.isTrough(6));
}

struct TurningCase {
  const char* name;
  std::vector<float> series;
  std::vector<int> points;
  float maxValue;
  float minValue;
};

std::vector<int> span(int from, int to) {
  std::vector<int> v;
  for (int x = from; x <= to; ++x)
    v.push_back(x);
  return v;
}

TEST(TrendTurningPointsTest, CountsWindowExtremes) {
  const TurningCase cases[] = {
      // Counters 1, 1, 2 x 14, 1, 1, 0, 0: average 1.6.
      {"rising 20", ramp(1, 20), span(2, 15), 20, 1},
      // Starts from -1 as the maximum.
      {"all below -1", ramp(-5, -24), span(2, 15), -1, -24},
      // Extremes from the last 20 values, windows on whole-series positions: counters 1, 2, 1,
      // 2 x 14, 1, 1, 0 (average 1.7).
      {"21 values", concat<float>({100}, ramp(1, 20)), concat<int>({1}, span(3, 16)), 20, 1},
      // Only the last 20 values count.
      {"30 values", concat<float>({50, -50, 50, -50, 50, -50, 50, -50, 50, -50}, ramp(1, 20)), span(2, 15),
       20, 1},
      {"19 values", ramp(1, 19), {}, 19, 1},
      {"empty", {}, {}, -1, 1e9f},
  };
  for (const TurningCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int> points = {99};
    float maxValue = 0;
    float minValue = 0;
    Qorvex6::QorvexCore::findTurningPoints(c.series, points, maxValue, minValue);
    EXPECT_EQ(points, c.points);
    EXPECT_EQ(maxValue, c.maxValue);
    EXPECT_EQ(minValue, c.minValue);
  }
}

}  // namespace
