#pragma once
// The simulator's only source of chance, seeded once, so that a run is repeated
// exactly by giving it the same seed and the same input at the same times.

#include <cstdint>
#include <random>

namespace sim {

class RandomSource {
 public:
  explicit RandomSource(std::uint32_t seed) : m_engine(seed) {}

  // mt19937 is the same on every standard library; its distributions are not, so
  // the conversions below are our own.
  bool Chance(double p) {
    if (p <= 0.0) return false;
    return static_cast<double>(m_engine() >> 8) * (1.0 / 16777216.0) < p;
  }
  std::uint32_t Below(std::uint32_t n) { return n == 0 ? 0 : static_cast<std::uint32_t>(m_engine() % n); }
  int Jitter(int spread) {
    return static_cast<int>(Below(2 * static_cast<std::uint32_t>(spread) + 1)) - spread;
  }

 private:
  std::mt19937 m_engine;
};

}  // namespace sim
