#include "charts/chart_numerics.h"

namespace korvale {

int64_t GridRound(int64_t v) {
  if (v < 1000) return v / 10 * 10;
  int64_t unit = 100;
  for (int64_t limit = 10000; limit <= 1000000000; limit *= 10, unit *= 10) {
    if (v < limit) return v / unit * unit;
  }
  return v;
}

int32_t MinOf(const int32_t* values, int n) {
  if (n < 1) return 0;
  int32_t m = values[0];
  for (int i = 1; i < n; ++i) m = values[i] < m ? values[i] : m;
  return m;
}

int32_t MaxOf(const int32_t* values, int n) {
  if (n < 1) return 0;
  int32_t m = values[0];
  for (int i = 1; i < n; ++i) m = values[i] > m ? values[i] : m;
  return m;
}

}  // namespace korvale
