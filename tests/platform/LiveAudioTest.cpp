// The live clock on SDL's dummy driver: accuracy against what the device has consumed,
// smoothness at 60 frames per second, seeking, running past the end, and the silent fallback.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "support/TestMp3.h"
#include "platform/LiveAudio.h"
#include "platform/MonotonicTime.h"

namespace {

struct BufferRecord {
  double time;
  int64_t firstSample;
  int frames;
};
constexpr int kMaxRecords = 4096;
BufferRecord records[kMaxRecords];
std::atomic<int> recordCount{0};

void RecordBuffer(double time, int64_t firstSample, int frames) {
  const int slot = recordCount.load(std::memory_order_relaxed);
  if (slot >= kMaxRecords) return;
  records[slot] = {time, firstSample, frames};
  recordCount.store(slot + 1, std::memory_order_release);
}

void SleepMs(double ms) { std::this_thread::sleep_for(std::chrono::microseconds(static_cast<int64_t>(ms * 1000))); }

// The dummy device consumes each buffer evenly until it asks for the next one, so the sample
// it is at between two callbacks is the linear blend of their first samples.
bool TrueHeardMs(double time, const BufferRecord* all, int count, double& ms) {
  for (int k = 0; k + 1 < count; ++k) {
    if (all[k].time <= time && time < all[k + 1].time && all[k + 1].firstSample == all[k].firstSample + all[k].frames) {
      const double share = (time - all[k].time) / (all[k + 1].time - all[k].time);
      ms = (static_cast<double>(all[k].firstSample) + share * all[k].frames) / 44.1;
      return true;
    }
  }
  return false;
}

class LiveAudio : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(InitAudio(kMixRate)) << "the dummy audio driver did not open";
  }
  void TearDown() override {
    SetAudioBufferProbe(nullptr);
    CloseAudio();
  }
};

}  // namespace

TEST_F(LiveAudio, ClockStaysWithTheHeardPositionAndAdvancesSmoothly) {
  recordCount = 0;
  SetAudioBufferProbe(RecordBuffer);
  std::unique_ptr<AudioStream> stream = OpenAudioStream(nullptr, 0);
  stream->Play(false);

  struct Reading {
    double time;
    int ms;
  };
  std::vector<Reading> readings;
  readings.reserve(20000);
  const double start = MonotonicSeconds();
  while (MonotonicSeconds() - start < 2.0) {
    const double before = MonotonicSeconds();
    const int ms = stream->PositionMs();
    readings.push_back({0.5 * (before + MonotonicSeconds()), ms});
    SleepMs(0.3);
  }
  SetAudioBufferProbe(nullptr);
  const int count = recordCount.load(std::memory_order_acquire);
  ASSERT_GT(count, 50);

  double worst = 0;
  int compared = 0;
  for (size_t i = 1; i < readings.size(); ++i) {
    ASSERT_GE(readings[i].ms, readings[i - 1].ms) << "the clock ran backwards";
    double heard = 0;
    if (readings[i].time < start + 0.1 || !TrueHeardMs(readings[i].time, records, count, heard)) continue;
    // Whole ms truncate, so compare against the truncated heard position.
    worst = std::max(worst, std::fabs(readings[i].ms - std::floor(heard)));
    ++compared;
  }
  ASSERT_GT(compared, 1000);
  std::printf("clock error against the heard position: at most %.1f ms over %d readings\n", worst, compared);
  EXPECT_LE(worst, 5.0);

  // Frames at 60 per second: each step close to 16.7 ms, none the size of a callback pause.
  // The step minus the frame's own wall-clock interval separates the clock's jitter from the
  // test thread's scheduling.
  int previous = stream->PositionMs();
  double previousTime = MonotonicSeconds();
  int largest = 0, smallest = 1 << 30;
  double worstJitter = 0;
  const double frameStart = previousTime;
  for (int frame = 1; frame <= 120; ++frame) {
    std::this_thread::sleep_until(std::chrono::steady_clock::now() +
                                  std::chrono::duration<double>(frameStart + frame / 60.0 - MonotonicSeconds()));
    const int now = stream->PositionMs();
    const double nowTime = MonotonicSeconds();
    largest = std::max(largest, now - previous);
    smallest = std::min(smallest, now - previous);
    worstJitter = std::max(worstJitter, std::fabs((now - previous) - (nowTime - previousTime) * 1000));
    previous = now;
    previousTime = nowTime;
  }
  std::printf("steps between frames at 60 fps: %d to %d ms; at most %.1f ms off the frame interval\n", smallest,
              largest, worstJitter);
  EXPECT_LE(worstJitter, 4.0);
  EXPECT_GE(smallest, 10);
  EXPECT_LE(largest, 24);
}

TEST_F(LiveAudio, SeeksShowAtOnceAndTheClockRunsOnPastTheEnd) {
  const std::vector<uint8_t> mp3 = SineMp3(1.0, 440, 0.5f);
  std::unique_ptr<AudioStream> stream = OpenAudioStream(mp3.data(), mp3.size());
  stream->Play(true);
  SleepMs(50);
  EXPECT_EQ(stream->PositionMs(), 0) << "a paused stream stands still";
  stream->SetPaused(false);
  SleepMs(100);
  const int playing = stream->PositionMs();
  EXPECT_GT(playing, 60);
  EXPECT_LT(playing, 160);

  stream->SeekMs(700);
  EXPECT_EQ(stream->PositionMs(), 700);
  stream->SeekMs(-300);
  EXPECT_EQ(stream->PositionMs(), 0);
  stream->SeekMs(900);
  SleepMs(400);  // 1.3 s: beyond the 1 s track
  const int past = stream->PositionMs();
  EXPECT_GT(past, 1200);
  EXPECT_LT(past, 1400);
  float bins[kSpectrumBins];
  stream->Spectrum(bins);
  EXPECT_EQ(*std::max_element(bins, bins + kSpectrumBins), 0.0f) << "past the end is silence";
}

TEST_F(LiveAudio, SpectrumIsThatOfTheAudioPlaying) {
  constexpr double kBinHz = 44100.0 / 1024;
  const std::vector<uint8_t> mp3 = SineMp3(2.0, 30 * kBinHz, 1.0f);
  std::unique_ptr<AudioStream> stream = OpenAudioStream(mp3.data(), mp3.size());
  stream->Play(false);
  SleepMs(200);
  float bins[kSpectrumBins];
  stream->Spectrum(bins);
  EXPECT_EQ(std::max_element(bins, bins + kSpectrumBins) - bins, 30);
  EXPECT_GT(bins[30], 0.9f);
}

TEST(LiveAudioWithoutDevice, RunsSilentlyOnTheMonotonicClock) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  ASSERT_FALSE(InitAudio(kMixRate));
  const std::vector<uint8_t> mp3 = SineMp3(0.5, 440, 0.5f);
  std::unique_ptr<AudioStream> stream = OpenAudioStream(mp3.data(), mp3.size());
  stream->Play(false);
  SleepMs(100);
  const int ms = stream->PositionMs();
  EXPECT_GE(ms, 95);
  EXPECT_LT(ms, 200);
  stream->SeekMs(250000);
  EXPECT_EQ(stream->PositionMs(), 250000);
  float bins[kSpectrumBins];
  stream->Spectrum(bins);
  EXPECT_EQ(*std::max_element(bins, bins + kSpectrumBins), 0.0f);
  unsetenv("SDL_AUDIODRIVER");
}
