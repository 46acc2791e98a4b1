#include "Prandom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <limits>
#include <string>
#include <thread>
#include <vector>

namespace {

using Qorvex6::DigitPool;
using Qorvex6::digitPoolSnapshot;
using Qorvex6::FrameworkRandom;
using Qorvex6::randomFloat;

constexpr DigitPool kIdentity = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
constexpr float kLowestForOne = 0.1023457f;   // pool 1023456789
constexpr float kHighestForOne = 0.9876543f;  // pool 9876543210
// How far the float sums of the digits lie from those decimal bounds (1023456789 gives 0.10234567).
constexpr float kBoundsTolerance = 5e-8f;

std::string text(const DigitPool& pool) {
  std::string out;
  for (const char d : pool)
    out += static_cast<char>('0' + d);
  return out;
}

bool isPermutation(const DigitPool& pool) {
  DigitPool sorted = pool;
  std::sort(sorted.begin(), sorted.end());
  return sorted == kIdentity;
}

// Every draw starts from the identity pool and reads its seed from `millisecond`.
class RandomFloatTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Qorvex6::resetDigitPool();
    Qorvex6::setMillisecondSource([this] { return millisecond.load(); });
  }
  void TearDown() override {
    Qorvex6::setMillisecondSource(nullptr);
    Qorvex6::resetDigitPool();
  }

  std::atomic<int> millisecond{0};
};

TEST_F(RandomFloatTest, GoldenValuesFromTheIdentityPool) {
  struct Case {
    int ms;
    float max;
    const char* pool;
    float value;  // to 7 decimals
  };
  const Case cases[] = {
      {0, 1.0f, "6487529103", 0.6487529f},  {0, 0.6f, "6487529103", 0.0648753f},
      {1, 1.0f, "0342519768", 0.3425198f},  {1, 0.6f, "0342519768", 0.3425198f},
      {1, 0.09f, "0342519768", 0.0342520f}, {999, 1.0f, "7162508934", 0.7162509f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("ms " + std::to_string(c.ms) + ", max " + std::to_string(c.max));
    Qorvex6::resetDigitPool();
    millisecond = c.ms;
    EXPECT_NEAR(randomFloat(c.max), c.value, 5e-8);
    EXPECT_EQ(text(digitPoolSnapshot()), c.pool);
  }
}

TEST_F(RandomFloatTest, DrawsInOneMillisecondRepeatTheirIndicesOnTheCarriedPool) {
  randomFloat(1.0f);
  randomFloat(1.0f);
  EXPECT_EQ(text(digitPoolSnapshot()), "9501283467");

  // From the identity pool a draw leaves its permutation itself; each further draw in the same millisecond
  // applies it again to the pool the draw before left.
  for (int ms = 0; ms < 1000; ++ms) {
    SCOPED_TRACE("ms " + std::to_string(ms));
    Qorvex6::resetDigitPool();
    millisecond = ms;
    randomFloat(1.0f);
    const DigitPool perm = digitPoolSnapshot();
    DigitPool expected = perm;
    for (int draw = 0; draw < 3; ++draw) {
      const DigitPool before = expected;
      for (std::size_t i = 0; i < expected.size(); ++i)
        expected[i] = before[perm[i]];
      randomFloat(0.5f);
      ASSERT_EQ(text(digitPoolSnapshot()), text(expected));
    }
  }
}

TEST(RandomFloatBounds, HoldForEveryPermutation) {
  DigitPool pool = kIdentity;
  float lowest = std::numeric_limits<float>::max();
  float highest = 0.0f;
  long failures = 0;
  do {
    const float one = Qorvex6::valueOfPool(pool, 1.0f);
    lowest = std::min(lowest, one);
    highest = std::max(highest, one);
    const float small = Qorvex6::valueOfPool(pool, 0.6f);
    const float zero = Qorvex6::valueOfPool(pool, 0.0f);
    if (!(small > 0.0f && small <= 0.6f) || !(zero > 0.0f && zero <= 0.000001f)) {
      if (++failures <= 5) ADD_FAILURE() << text(pool) << ": rF(0.6) = " << small << ", rF(0) = " << zero;
    }
  } while (std::next_permutation(pool.begin(), pool.end()));
  EXPECT_EQ(failures, 0);
  EXPECT_NEAR(lowest, kLowestForOne, kBoundsTolerance);
  EXPECT_NEAR(highest, kHighestForOne, kBoundsTolerance);
}

TEST(RandomFloatConcurrency, PoolStaysAPermutationUnderManyThreads) {
  Qorvex6::setMillisecondSource(nullptr);
  std::atomic<bool> stop{false};
  std::atomic<long> failures{0};

  // Swaps the millisecond source while the others draw.
  std::thread swapper([&] {
    for (int i = 0; !stop.load(); ++i) {
      if (i % 2 == 0) {
        Qorvex6::setMillisecondSource([i] { return i % 1000; });
      } else {
        Qorvex6::setMillisecondSource(nullptr);
      }
      std::this_thread::yield();
    }
  });

  std::vector<std::thread> workers;
  for (int t = 0; t < 25; ++t) {
    workers.emplace_back([&, t] {
      for (int i = 0; i < 2000; ++i) {
        const float max = t % 2 == 0 ? 1.0f : 0.09f;
        const float v = randomFloat(max);
        const bool inBounds =
            max == 1.0f ? v >= kLowestForOne - kBoundsTolerance && v <= kHighestForOne + kBoundsTolerance
                        : v > 0.0f && v <= max;
        if (!inBounds || !isPermutation(digitPoolSnapshot())) ++failures;
      }
    });
  }
  for (std::thread& worker : workers)
    worker.join();
  stop = true;
  swapper.join();
  Qorvex6::setMillisecondSource(nullptr);
  Qorvex6::resetDigitPool();

  EXPECT_EQ(failures.load(), 0);
  EXPECT_TRUE(isPermutation(digitPoolSnapshot()));
}

TEST(RandomSeams, NullSourcesRestoreTheClocks) {
  std::atomic<int> msCalls{0};
  Qorvex6::setMillisecondSource([&] {
    ++msCalls;
    return 0;
  });
  Qorvex6::resetDigitPool();
  randomFloat(1.0f);
  EXPECT_EQ(msCalls.load(), 1);
  EXPECT_EQ(text(digitPoolSnapshot()), "6487529103");
  Qorvex6::setMillisecondSource(nullptr);
  randomFloat(1.0f);
  EXPECT_EQ(msCalls.load(), 1);

  std::atomic<int> seedCalls{0};
  Qorvex6::setMonthlySeedSource([&] {
    ++seedCalls;
    return 0xDEADBEEFu;
  });
  EXPECT_EQ(Qorvex6::monthlySeed(), 0xDEADBEEFu);
  Qorvex6::setMonthlySeedSource(nullptr);
  Qorvex6::monthlySeed();
  EXPECT_EQ(seedCalls.load(), 1);
  Qorvex6::resetDigitPool();
}

TEST(RandomSeams, MonthlySeedSourceSwapsWhileOthersRead) {
  std::atomic<bool> stop{false};
  std::thread swapper([&] {
    for (std::uint32_t i = 0; !stop.load(); ++i) {
      Qorvex6::setMonthlySeedSource(i % 2 == 0 ? std::function<std::uint32_t()>([] { return 7u; }) : nullptr);
    }
  });
  std::vector<std::thread> readers;
  for (int t = 0; t < 4; ++t) {
    readers.emplace_back([] {
      for (int i = 0; i < 2000; ++i)
        Qorvex6::monthlySeed();
    });
  }
  for (std::thread& reader : readers)
    reader.join();
  stop = true;
  swapper.join();
  Qorvex6::setMonthlySeedSource([] { return 42u; });
  EXPECT_EQ(Qorvex6::monthlySeed(), 42u);
  Qorvex6::setMonthlySeedSource(nullptr);
}

TEST(FrameworkRandomTest, GoldenDraws) {
  struct Case {
    std::uint32_t seed;
    std::int32_t n;
    std::uint32_t state;  // after the draw
    std::int32_t value;
  };
  const Case cases[] = {
      // state 0 * 134775813 + 1 = 1; (1 * 100) >> 32 = 0
      {0u, 100, 1u, 0},
      // state 1 * 134775813 + 1 = 134775814; 13477581400 / 2^32 = 3.14
      {1u, 100, 134775814u, 3},
      // state (2^32 - 1) * 134775813 + 1 = 2^32 - 134775812 = 4160191484 (mod 2^32);
      // 416019148400 / 2^32 = 96.86
      {0xFFFFFFFFu, 100, 4160191484u, 96},
      // 4160191484 * (2^31 - 1) >> 32 = floor(2080095742 - 4160191484 / 2^32) = 2080095741
      {0xFFFFFFFFu, std::numeric_limits<std::int32_t>::max(), 4160191484u, 2080095741},
      // n = 1 always gives 0
      {0xFFFFFFFFu, 1, 4160191484u, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("seed " + std::to_string(c.seed) + ", n " + std::to_string(c.n));
    FrameworkRandom random;
    random.seed(c.seed);
    EXPECT_EQ(random.below(c.n), c.value);
    EXPECT_EQ(random.state(), c.state);
  }

  // The third draw from seed 0: 134775814 * 134775813 + 1 = 3698175007 (mod 2^32); 369817500700 / 2^32 = 86.1
  FrameworkRandom random;
  random.seed(0);
  random.below(100);
  random.below(100);
  EXPECT_EQ(random.below(100), 86);
  EXPECT_EQ(random.state(), 3698175007u);
}

TEST(FrameworkRandomTest, StaysBelowTheBoundAndIgnoresEmptyBounds) {
  FrameworkRandom random;
  random.seed(0x12345678u);
  for (const std::int32_t n : {1, 2, 7, 100, 1000003, std::numeric_limits<std::int32_t>::max()}) {
    for (int i = 0; i < 1000; ++i) {
      const std::int32_t v = random.below(n);
      ASSERT_GE(v, 0) << "n " << n;
      ASSERT_LT(v, n) << "n " << n;
    }
  }

  for (const std::int32_t n : {0, -1, std::numeric_limits<std::int32_t>::min()}) {
    const std::uint32_t before = random.state();
    EXPECT_EQ(random.below(n), 0) << "n " << n;
    EXPECT_EQ(random.state(), before) << "n " << n;
  }
}

}  // namespace
