// The random source of the sample database: a small, fast generator whose streams depend only on
// the seed and a stream number, so every stock's history is the same whatever thread makes it.
#ifndef KORVALE_SAMPLE_SAMPLE_RANDOM_H_
#define KORVALE_SAMPLE_SAMPLE_RANDOM_H_

#include <cmath>
#include <cstdint>

namespace korvale::sample {

inline uint64_t SplitMix64(uint64_t* state) {
  uint64_t z = (*state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// xoshiro256**.
class Random {
 public:
  Random(uint64_t seed, uint64_t stream) {
    uint64_t s = seed ^ (stream * 0xD1342543DE82EF95ull + 0x2545F4914F6CDD1Dull);
    for (uint64_t& word : s_) word = SplitMix64(&s);
  }

  uint64_t Next() {
    const uint64_t result = Rotl(s_[1] * 5, 7) * 9;
    const uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = Rotl(s_[3], 45);
    return result;
  }

  // Uniform in [0, 1).
  double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  // Uniform integer in [low, high].
  int Between(int low, int high) {
    return low + static_cast<int>(Next() % static_cast<uint64_t>(high - low + 1));
  }
  bool Chance(double p) { return Uniform() < p; }

  // Standard normal (Marsaglia's polar method, keeping the second value).
  double Normal() {
    if (haveSpare_) {
      haveSpare_ = false;
      return spare_;
    }
    double u, v, s;
    do {
      u = 2.0 * Uniform() - 1.0;
      v = 2.0 * Uniform() - 1.0;
      s = u * u + v * v;
    } while (s >= 1.0 || s == 0.0);
    const double f = std::sqrt(-2.0 * std::log(s) / s);
    spare_ = v * f;
    haveSpare_ = true;
    return u * f;
  }

 private:
  static uint64_t Rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  uint64_t s_[4];
  double spare_ = 0;
  bool haveSpare_ = false;
};

}  // namespace korvale::sample

#endif  // KORVALE_SAMPLE_SAMPLE_RANDOM_H_
