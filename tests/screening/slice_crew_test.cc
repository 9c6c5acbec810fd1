// The helper threads of a batch step.
#include "screening/slice_crew.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace korvale {
namespace {

TEST(SliceCrewTest, EveryItemOfEverySliceIsHandledOnceBeforeRunReturns) {
  std::vector<std::atomic<int>> handled(1000);
  std::atomic<int> badLane{0};
  CSliceCrew crew(3, [&](int index, int lane) {
    handled[static_cast<size_t>(index)].fetch_add(1);
    if (lane < 0 || lane > 3) badLane.fetch_add(1);
  });
  int begin = 0;
  for (int size : {1, 2, 7, 20, 0, 64, 3, 400, 1, 20}) {
    crew.Run(begin, begin + size);
    // Run has returned: the slice is complete and nothing beyond it was touched.
    for (int i = 0; i < 1000; ++i) {
      ASSERT_EQ(handled[static_cast<size_t>(i)].load(), i < begin + size ? 1 : 0) << i;
    }
    begin += size;
  }
  EXPECT_EQ(badLane.load(), 0);
}

}  // namespace
}  // namespace korvale
