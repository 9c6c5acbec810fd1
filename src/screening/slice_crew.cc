#include "screening/slice_crew.h"

namespace korvale {

CSliceCrew::CSliceCrew(int helpers, std::function<void(int index, int lane)> work)
    : work_(std::move(work)) {
  for (int lane = 1; lane <= helpers; ++lane) {
    threads_.emplace_back([this, lane] { HelperLoop(lane); });
  }
}

CSliceCrew::~CSliceCrew() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  for (std::thread& t : threads_) t.join();
}

void CSliceCrew::Run(int begin, int end) {
  if (begin >= end) return;
  uint32_t generation;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    generation = ++generation_;
    end_ = end;
    count_ = end - begin;
    done_ = 0;
    cursor_.store(uint64_t{generation} << 32 | static_cast<uint32_t>(begin));
  }
  wake_.notify_all();
  Work(generation, end, 0);
  std::unique_lock<std::mutex> lock(mutex_);
  finished_.wait(lock, [&] { return done_ == count_; });
}

void CSliceCrew::HelperLoop(int lane) {
  uint32_t seen = 0;
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [&] { return stop_ || generation_ != seen; });
    if (stop_) return;
    seen = generation_;
    const int end = end_;
    lock.unlock();
    Work(seen, end, lane);
    lock.lock();
  }
}

void CSliceCrew::Work(uint32_t generation, int end, int lane) {
  for (;;) {
    uint64_t cursor = cursor_.load();
    int index;
    do {
      index = static_cast<int>(static_cast<uint32_t>(cursor));
      if (cursor >> 32 != generation || index >= end) return;
    } while (!cursor_.compare_exchange_weak(cursor, cursor + 1));
    work_(index, lane);
    bool last;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      last = ++done_ == count_;
    }
    if (last) finished_.notify_all();
  }
}

}  // namespace korvale
