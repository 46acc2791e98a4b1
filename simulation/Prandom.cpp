#include "Prandom.h"

#include <chrono>
#include <mutex>
#include <utility>

namespace Qorvex6 {

namespace {

// Guards the digit pool and the millisecond source; held for a whole draw. Innermost lock.
std::mutex& poolLock() {
  static std::mutex lock;
  return lock;
}

std::function<int()>& millisecondSource() {
  static std::function<int()> source;
  return source;
}

std::function<float(float)>& drawSource() {
  static std::function<float(float)> source;
  return source;
}

std::mutex& monthlySeedLock() {
  static std::mutex lock;
  return lock;
}

std::function<std::uint32_t()>& monthlySeedSource() {
  static std::function<std::uint32_t()> source;
  return source;
}

int utcMillisecondField() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count() % 1000);
}

// The runtime generator behind the shuffle: seeding stores the seed and throws one value away; a value
// is bits 16..30 of the new state. It is reseeded on every shuffle, so it lives only for one shuffle.
class ShuffleGenerator {
 public:
  explicit ShuffleGenerator(std::uint32_t seed) : state_(seed) { next(); }

  std::uint32_t next() {
    state_ = state_ * 22695477u + 1u;
    return (state_ >> 16) & 0x7FFFu;
  }

 private:
  std::uint32_t state_;
};

}  // namespace

DigitPool& digitPool() {
  static DigitPool pool = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  return pool;
}

void shuffleDigits() {
  const auto& source = millisecondSource();
  ShuffleGenerator generator(static_cast<std::uint32_t>(source ? source() : utcMillisecondField()));

  DigitPool& pool = digitPool();
  DigitPool remaining = pool;
  std::size_t size = remaining.size();
  for (std::size_t out = 0; out < pool.size(); ++out) {
    // The last element is taken without consuming a value.
    const std::size_t k = size == 1 ? 0 : generator.next() % size;
    pool[out] = remaining[k];
    for (std::size_t i = k + 1; i < size; ++i)
      remaining[i - 1] = remaining[i];
    --size;
  }
}

float valueOfPool(const DigitPool& pool, float max) {
  float v = 0.0f;
  float weight = 1.0f;
  for (const char digit : pool) {
    v += static_cast<float>(digit) * weight;
    weight *= 0.1f;
  }
  while (v > max && v > 0.000001f)
    v *= 0.1f;
  return v;
}

float randomFloat(float max) {
  std::lock_guard<std::mutex> hold(poolLock());
  if (const auto& source = drawSource()) return source(max);
  shuffleDigits();
  return valueOfPool(digitPool(), max);
}

void setMillisecondSource(std::function<int()> source) {
  std::lock_guard<std::mutex> hold(poolLock());
  millisecondSource() = std::move(source);
}

void setDrawSource(std::function<float(float)> source) {
  std::lock_guard<std::mutex> hold(poolLock());
  drawSource() = std::move(source);
}

void resetDigitPool() {
  std::lock_guard<std::mutex> hold(poolLock());
  digitPool() = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
}

DigitPool digitPoolSnapshot() {
  std::lock_guard<std::mutex> hold(poolLock());
  return digitPool();
}

std::int32_t FrameworkRandom::below(std::int32_t n) {
  if (n <= 0) return 0;
  state_ = state_ * 134775813u + 1u;
  return static_cast<std::int32_t>((static_cast<std::uint64_t>(state_) * static_cast<std::uint32_t>(n)) >>
                                   32);
}

std::uint32_t monthlySeed() {
  std::function<std::uint32_t()> source;
  {
    std::lock_guard<std::mutex> hold(monthlySeedLock());
    source = monthlySeedSource();
  }
  if (source) return source();
  return static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

void setMonthlySeedSource(std::function<std::uint32_t()> source) {
  std::lock_guard<std::mutex> hold(monthlySeedLock());
  monthlySeedSource() = std::move(source);
}

}  // namespace Qorvex6
