// Millisecond and sample arithmetic of the clocks.
#include <gtest/gtest.h>

#include "platform/MusicClock.h"

TEST(MusicClockArithmetic, SeekSamplesRoundAndMapBackToTheirMs) {
  EXPECT_EQ(SampleForMs(0), 0);
  EXPECT_EQ(SampleForMs(-250), 0);
  EXPECT_EQ(SampleForMs(1), 44);     // 44.1
  EXPECT_EQ(SampleForMs(5), 221);    // 220.5 rounds up
  EXPECT_EQ(SampleForMs(10), 441);
  EXPECT_EQ(SampleForMs(282000), 12436200);
  for (int ms = 0; ms <= 400000; ++ms) {
    const int64_t sample = SampleForMs(ms);
    ASSERT_EQ(MsForSample(static_cast<double>(sample)), ms);
    // A whole millisecond later, the next ms.
    ASSERT_EQ(MsForSample(static_cast<double>(sample) + 44.1), ms + 1);
  }
}

TEST(MusicClockArithmetic, FractionalPositionsTruncateToWholeMs) {
  EXPECT_EQ(MsForSample(43.0), 0);  // 0.98 ms heard: still 0
  EXPECT_EQ(MsForSample(44.1 * 1500.7), 1500);
}
