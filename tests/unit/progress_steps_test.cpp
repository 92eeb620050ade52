#include "base/progress.h"

#include <gtest/gtest.h>

namespace {

// Runs a series of requests from a count of 0 and returns the final count,
// as the progress bar would see it.
unsigned Replay(std::initializer_list<unsigned> requests, unsigned start = 0) {
  unsigned count = start;
  for (unsigned n : requests) count += ProgressStepsToSend(count, n);
  return count;
}

TEST(ProgressStepsToSend, SingleRequests) {
  struct Case {
    unsigned count, n, expected;
  } cases[] = {
      {0, 1, 1},
      {0, 4, 4},
      {37, 4, 4},
      {38, 1, 0},
      {39, 2, 0},
      {0, kProgressFill, 40},
      {39, kProgressFill, 1},
      {40, kProgressFill, 0},
      {41, kProgressFill, 0},
      {36, 2, 2},
      {0, 0, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, ProgressStepsToSend(c.count, c.n)) << c.count << " + " << c.n;
}

TEST(ProgressStepsToSend, GuardIsTestedBeforeTheStep) {
  EXPECT_EQ(41u, Replay({4}, 37));                 // 37 + 4 passes the guard
  EXPECT_EQ(41u, Replay({4, kProgressFill}, 37));  // the fill then sends nothing
  EXPECT_EQ(40u, Replay({2, kProgressFill}, 39));  // the 2 is refused, the fill sends one
}

TEST(ProgressStepsToSend, LongFileListsSaturateAtThirtyEight) {
  unsigned count = 0;
  for (int file = 0; file < 100; ++file) count += ProgressStepsToSend(count, 1);
  EXPECT_EQ(38u, count);
  EXPECT_EQ(2u, ProgressStepsToSend(count, kProgressFill));
}

}  // namespace
