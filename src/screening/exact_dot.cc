#include "screening/exact_dot.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace korvale {

namespace {

double DotPlain(const double* x, const double* y, int64_t n) {
  // Four running sums, so the additions do not wait on each other.
  double s0 = 0, s1 = 0, s2 = 0, s3 = 0;
  int64_t t = 0;
  for (; t + 4 <= n; t += 4) {
    s0 += x[t] * y[t];
    s1 += x[t + 1] * y[t + 1];
    s2 += x[t + 2] * y[t + 2];
    s3 += x[t + 3] * y[t + 3];
  }
  for (; t < n; ++t) s0 += x[t] * y[t];
  return (s0 + s1) + (s2 + s3);
}

#if defined(__x86_64__)
__attribute__((target("avx2"))) double DotAvx2(const double* x, const double* y, int64_t n) {
  __m256d s0 = _mm256_setzero_pd(), s1 = _mm256_setzero_pd();
  int64_t t = 0;
  for (; t + 8 <= n; t += 8) {
    s0 = _mm256_add_pd(s0, _mm256_mul_pd(_mm256_loadu_pd(x + t), _mm256_loadu_pd(y + t)));
    s1 = _mm256_add_pd(s1, _mm256_mul_pd(_mm256_loadu_pd(x + t + 4), _mm256_loadu_pd(y + t + 4)));
  }
  alignas(32) double lanes[4];
  _mm256_store_pd(lanes, _mm256_add_pd(s0, s1));
  double sum = (lanes[0] + lanes[1]) + (lanes[2] + lanes[3]);
  for (; t < n; ++t) sum += x[t] * y[t];
  return sum;
}

const bool kHasAvx2 = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
}();
#endif

}  // namespace

double ExactDot(const double* x, const double* y, int64_t n) {
#if defined(__x86_64__)
  if (kHasAvx2) return DotAvx2(x, y, n);
#endif
  return DotPlain(x, y, n);
}

}  // namespace korvale
