// The sliding-window extreme the history replay keeps for several indicators: the highest (or
// lowest) value of every window of a fixed width, ending at each bar in turn. Internal to the
// screening library.
#ifndef KORVALE_SCREENING_REPLAY_WINDOW_H_
#define KORVALE_SCREENING_REPLAY_WINDOW_H_

#include <cstdint>
#include <vector>

namespace korvale::replay {

// out[j] = the best of value(i) over i in [max(0, j - width + 1), j] for every j < count, where
// better(a, b) says that a beats b. `width` >= 1. The bars are cut into blocks of `width`; a
// window then spans the end of one block and the start of the next, whose best values are
// running bests from the block's start and from its end (van Herk, Gil and Werman): three
// comparisons a bar and no data-dependent branch. `scratch` is kept by the caller so that it is
// allocated once.
template <typename T, typename Value, typename Better>
void SlidingBest(int32_t count, int64_t width, Value value, Better better, T* out,
                 std::vector<T>* scratch) {
  if (count <= 0) return;
  if (scratch->size() < static_cast<size_t>(count)) scratch->resize(static_cast<size_t>(count));
  T* fromEnd = scratch->data();  // best of value(i .. end of i's block)
  auto pick = [&better](T a, T b) { return better(b, a) ? b : a; };
  const int64_t w = width < count ? width : count;
  for (int64_t start = 0; start < count; start += w) {
    const int64_t end = start + w < count ? start + w : count;
    T best = value(static_cast<int32_t>(start));
    for (int64_t i = start; i < end; ++i) {
      best = pick(best, value(static_cast<int32_t>(i)));
      out[i] = best;  // best of value(block start .. i)
    }
    best = value(static_cast<int32_t>(end - 1));
    for (int64_t i = end - 1; i >= start; --i) {
      best = pick(best, value(static_cast<int32_t>(i)));
      fromEnd[i] = best;
    }
  }
  // A window ending at j >= w starts at j - w + 1, in the block before j's (or at j's own
  // block's start when j ends a block, where both halves give the block's best).
  for (int64_t j = count - 1; j >= w; --j) out[j] = pick(fromEnd[j - w + 1], out[j]);
}

}  // namespace korvale::replay

#endif  // KORVALE_SCREENING_REPLAY_WINDOW_H_
