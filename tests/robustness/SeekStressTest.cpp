// The seek keys hammered on the live clock (dummy audio driver, the show's track): thousands of
// random seeks and held keys, negative and far past the end. The clock never reads negative,
// lands exactly where a seek puts it, and never runs backwards between seeks.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <thread>

#include "director/DemoState.h"
#include "director/Music.h"
#include "director/Seek.h"
#include "director/Timeline.h"
#include "platform/LiveAudio.h"

namespace {

// The seek steps of the four arrow keys, in milliseconds.
constexpr float kKeySteps[] = {-500, 500, 5000, -5000};

struct Lcg {
  uint32_t state = 2024;
  uint32_t Next(uint32_t below) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % below;
  }
};

class SeekStress : public testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    testing::internal::CaptureStderr();
    StartMusic();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "the build's own track plays";
    EnableSpectrum();
  }
  void TearDown() override {
    CloseAudio();
    unsetenv("SDL_AUDIODRIVER");
  }

  // What a frame does first: the demo time from the clock.
  int NextFrame() {
    const int ms = MusicGetTime();
    EXPECT_GE(ms, 0);
    if (!seeked_) {
      EXPECT_GE(ms, lastMs_) << "backwards without a seek";
    }
    seeked_ = false;
    lastMs_ = ms;
    DemoClock = DemoTimeFromMs(ms);
    MusicGetSpectrum();
    return ms;
  }
  void Seek(float offsetMs) {
    const int target = SeekTarget(DemoClock, offsetMs);
    SeekMusic(offsetMs);
    seeked_ = true;
    ExpectLandedAt(target);
  }
  void SeekTo(int ms) {
    MusicSetTime(ms);
    seeked_ = true;
    ExpectLandedAt(ms);
  }
  static void ExpectLandedAt(int target) { ASSERT_EQ(MusicGetTime(), std::max(target, 0)) << "seek to " << target; }

  int lastMs_ = 0;
  bool seeked_ = false;
};

}  // namespace

TEST_F(SeekStress, ThousandsOfRandomSeeksAndHeldKeys) {
  Lcg random;
  for (int frame = 0; frame < 20000; ++frame) {
    NextFrame();
    const uint32_t roll = random.Next(100);
    if (roll < 40) continue;  // no key this frame
    if (roll < 95) {
      // One to four keys held together, acting in the fixed order.
      const uint32_t held = 1 + random.Next(15);
      for (int key = 0; key < 4; ++key) {
        if (held & (1u << key)) Seek(kKeySteps[key]);
      }
    } else if (roll < 99) {
      SeekTo(static_cast<int>(random.Next(800000)) - 200000);
    } else {
      // A key held for many frames: Up runs far past the end, Left down to 0 and below.
      const float step = kKeySteps[random.Next(4)];
      for (int held = 0; held < 200; ++held) {
        NextFrame();
        Seek(step);
      }
    }
  }
}

TEST_F(SeekStress, TheEndsOfTheIntRangeHoldAndNeverTurnNegative) {
  SeekTo(std::numeric_limits<int>::min());
  EXPECT_EQ(NextFrame(), 0);
  SeekTo(std::numeric_limits<int>::max());
  // The clock runs on from there, and may not wrap.
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(NextFrame(), std::numeric_limits<int>::max());
  for (int frame = 0; frame < 200; ++frame) {
    NextFrame();
    Seek(+5000);
  }
  EXPECT_FALSE(DemoClock < kShowEnd) << "far past the end of the show";
  for (int frame = 0; frame < 100; ++frame) {
    NextFrame();
    Seek(-5000);
  }
  EXPECT_GT(NextFrame(), 0);
}
