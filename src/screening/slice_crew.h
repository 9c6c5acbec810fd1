// A few helper threads that share the items of a slice with the calling thread: each thread
// takes the next item not yet taken, so a helper the system does not schedule leaves its share
// to the others instead of holding up the slice.
#ifndef KORVALE_SCREENING_SLICE_CREW_H_
#define KORVALE_SCREENING_SLICE_CREW_H_

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace korvale {

class CSliceCrew {
 public:
  // `work(index, lane)` handles one item; lane 0 is the calling thread, lanes 1..helpers the
  // helper threads, so a lane's scratch state is never shared. It must not throw.
  CSliceCrew(int helpers, std::function<void(int index, int lane)> work);
  // Stops and joins the helpers (none is working then: Run returns only when all are idle).
  ~CSliceCrew();
  CSliceCrew(const CSliceCrew&) = delete;
  CSliceCrew& operator=(const CSliceCrew&) = delete;

  // Calls `work` once for every index of [begin, end), on the calling thread and the helpers,
  // and returns when every call has returned. Not reentrant.
  void Run(int begin, int end);

 private:
  void HelperLoop(int lane);
  // Takes and handles items of slice `generation` until none is left.
  void Work(uint32_t generation, int end, int lane);

  std::function<void(int, int)> work_;
  std::mutex mutex_;
  std::condition_variable wake_;      // a new slice, or stop
  std::condition_variable finished_;  // every item of the slice was handled
  uint32_t generation_ = 0;           // the current slice; under mutex_
  int end_ = 0;                       // its end; under mutex_
  int count_ = 0;                     // its number of items; under mutex_
  int done_ = 0;                      // items of it handled; under mutex_
  bool stop_ = false;
  // The current slice's generation (high half) and next item (low half): a helper that wakes
  // after its slice ended can take nothing from the next one.
  std::atomic<uint64_t> cursor_{0};
  std::vector<std::thread> threads_;
};

// Sets a batch up for `threads` threads (clamped to 1-8): `lanes` gets one lane per thread, lane
// 0 being the calling thread's, and `crew` the helpers that run `work(item, lane)` (none for one
// thread). Any earlier crew is stopped first. Returns the number of threads.
template <typename Lane>
int SetUpLanes(int threads, std::vector<std::unique_ptr<Lane>>* lanes,
               std::unique_ptr<CSliceCrew>* crew, std::function<void(int item, Lane* lane)> work) {
  threads = threads < 1 ? 1 : threads > 8 ? 8 : threads;
  crew->reset();
  lanes->resize(1);
  if (!lanes->front()) lanes->front() = std::make_unique<Lane>();
  for (int k = 1; k < threads; ++k) lanes->push_back(std::make_unique<Lane>());
  if (threads > 1) {
    *crew = std::make_unique<CSliceCrew>(
        threads - 1, [lanes, work = std::move(work)](int item, int lane) {
          work(item, (*lanes)[static_cast<size_t>(lane)].get());
        });
  }
  return threads;
}

}  // namespace korvale

#endif  // KORVALE_SCREENING_SLICE_CREW_H_
