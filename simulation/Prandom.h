#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace Qorvex6 {

// The ten decimal digit values 0..9, shared by the whole program; every draw permutes it again.
using DigitPool = std::array<char, 10>;

// A value built from a freshly shuffled digit pool, read as d0.d1d2...d9 in single precision and moved
// down by decimal places until it is at most `max` or at most 0.000001. Any thread.
float randomFloat(float max);

// The value a draw takes from an already shuffled pool: d0 + d1 * 0.1 + ... + d9 * 1e-9 summed in single
// precision, then multiplied by 0.1 while above `max` and above 0.000001. Pure; randomFloat uses it.
float valueOfPool(const DigitPool& pool, float max);

// Reseeds the shuffle generator from the millisecond field of the UTC time (or the installed source) and
// permutes the pool. Takes no lock: only randomFloat calls it, holding the pool lock.
void shuffleDigits();

// The pool, created holding 0, 1, ..., 9 on first use. Unlocked: only randomFloat reads it; other callers
// use digitPoolSnapshot.
DigitPool& digitPool();

// Seams for tests; each defaults to the real source. All take the pool lock.
// The source's value (0..999 for the clock) is the seed; it is called with the pool lock held.
void setMillisecondSource(std::function<int()> source);  // nullptr restores the system clock
void resetDigitPool();                                   // back to 0, 1, ..., 9
DigitPool digitPoolSnapshot();
// When installed, randomFloat(max) returns source(max) instead of drawing from the pool, which stays as
// it was; called with the pool lock held. nullptr restores the pool draw.
void setDrawSource(std::function<float(float max)> source);

// The framework-style generator used only by the monthly company results: one 32-bit state,
// state = state * 134775813 + 1, and a draw below n is the upper half of state * n.
class FrameworkRandom {
 public:
  void seed(std::uint32_t value) { state_ = value; }
  // A whole number 0..n-1; 0 for n <= 0, which leaves the state as it was.
  std::int32_t below(std::int32_t n);
  std::uint32_t state() const { return state_; }

 private:
  std::uint32_t state_ = 0;
};

// The seed of each monthly run: by default the low 32 bits of a high-resolution clock.
std::uint32_t monthlySeed();
void setMonthlySeedSource(std::function<std::uint32_t()> source);  // nullptr restores the clock

}  // namespace Qorvex6
