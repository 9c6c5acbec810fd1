// The sliding-window extreme the history replay keeps for several indicators: the highest (or
// lowest) value of every window of a fixed width, ending at each bar in turn, by one monotonic
// queue of bar indexes. Internal to the screening library.
#ifndef KORVALE_SCREENING_REPLAY_WINDOW_H_
#define KORVALE_SCREENING_REPLAY_WINDOW_H_

#include <cstdint>
#include <vector>

namespace korvale::replay {

// out[j] = the best of value(i) over i in [max(0, j - width + 1), j] for every j < count, where
// better(a, b) says that a beats b (a tie keeps the later index, which gives the same value).
// `width` >= 1. `queue` is scratch space, kept by the caller so that it is allocated once.
template <typename T, typename Value, typename Better>
void SlidingBest(int32_t count, int64_t width, Value value, Better better, T* out,
                 std::vector<int32_t>* queue) {
  if (queue->size() < static_cast<size_t>(count)) queue->resize(static_cast<size_t>(count));
  int32_t* q = queue->data();
  int32_t head = 0, tail = 0;
  for (int32_t j = 0; j < count; ++j) {
    const T v = value(j);
    while (tail > head && !better(value(q[tail - 1]), v)) --tail;
    q[tail++] = j;
    if (int64_t{q[head]} <= int64_t{j} - width) ++head;
    out[j] = value(q[head]);
  }
}

}  // namespace korvale::replay

#endif  // KORVALE_SCREENING_REPLAY_WINDOW_H_
