// The dot product of two runs of whole numbers held as doubles, for the index correlation's
// window sums: when every product and every partial sum is a whole number below 2^53 the result
// is exact whatever the order of the additions, so it is formed with vector instructions.
#ifndef KORVALE_SCREENING_EXACT_DOT_H_
#define KORVALE_SCREENING_EXACT_DOT_H_

#include <cstdint>

namespace korvale {

// x[0] y[0] + ... + x[n-1] y[n-1]. Exact only when the caller has made sure that
// n * max|x| * max|y| < 2^53 and the values are whole numbers.
double ExactDot(const double* x, const double* y, int64_t n);

}  // namespace korvale

#endif  // KORVALE_SCREENING_EXACT_DOT_H_
