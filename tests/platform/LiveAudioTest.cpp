// The live clock on SDL's dummy driver: bounded by what the device has taken, seeking, running
// past the end, and the silent fallback.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "support/TestMp3.h"
#include "platform/LiveAudio.h"
#include "platform/MonotonicTime.h"

namespace {

constexpr int kMaxRecords = 4096;
AudioBufferRecord records[kMaxRecords];

void SleepMs(double ms) { std::this_thread::sleep_for(std::chrono::microseconds(static_cast<int64_t>(ms * 1000))); }

// Waits (at most a minute, however slow the machine) until the clock has passed ms; its reading.
int WaitPast(MusicClock& clock, int ms) {
  const double start = MonotonicSeconds();
  int now = clock.PositionMs();
  while (now <= ms && MonotonicSeconds() - start < 60) {
    SleepMs(2);
    now = clock.PositionMs();
  }
  return now;
}

class LiveAudio : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(InitAudio(kMixRate)) << "the dummy audio driver did not open";
  }
  void TearDown() override {
    StopAudioBufferLog();
    CloseAudio();
  }
};

}  // namespace

// However late the audio thread or this one runs: the clock never goes back, never runs ahead
// of the buffers handed to the device, and never lags behind the one before the last. How close
// it stays to what is heard is a figure of bench/audio, not a test.
TEST_F(LiveAudio, ClockStaysWithinTheBuffersTheDeviceHasTaken) {
  StartAudioBufferLog(records, kMaxRecords);
  const std::vector<uint8_t> mp3 = SineMp3AtRate(3, 48000, 2);
  std::unique_ptr<AudioStream> stream = OpenAudioStream(mp3.data(), mp3.size());
  stream->Play(false);

  struct Reading {
    double before, after;
    int ms;
  };
  std::vector<Reading> readings;
  readings.reserve(20000);
  const double start = MonotonicSeconds();
  while (MonotonicSeconds() - start < 1.0 && readings.size() < readings.capacity()) {
    const double before = MonotonicSeconds();
    const int ms = stream->PositionMs();
    readings.push_back({before, MonotonicSeconds(), ms});
    SleepMs(0.3);
  }
  const int count = StopAudioBufferLog();
  ASSERT_GT(count, 3) << "the dummy device took no buffers";

  int checked = 0;
  for (size_t i = 0; i < readings.size(); ++i) {
    if (i > 0) {
      ASSERT_GE(readings[i].ms, readings[i - 1].ms) << "the clock ran backwards";
    }
    // The last buffer begun before the reading ended bounds it from above; the one before the
    // last begun before it started had certainly been handed over, which bounds it from below.
    int upper = -1, lower = -1;
    for (int k = 0; k < count; ++k) {
      if (records[k].time < readings[i].after) upper = k;
      if (records[k].time < readings[i].before) lower = k - 1;
    }
    if (upper < 0) continue;
    const int64_t end = records[upper].firstSample + records[upper].frames;
    ASSERT_LE(readings[i].ms, MsForSample(static_cast<double>(end))) << "ahead of the device at reading " << i;
    if (lower >= 0) {
      ASSERT_GE(readings[i].ms, MsForSample(static_cast<double>(records[lower].firstSample)))
          << "behind the device at reading " << i;
      ++checked;
    }
  }
  EXPECT_GT(checked, 0);
}

TEST_F(LiveAudio, SeeksShowAtOnceAndTheClockRunsOnPastTheEnd) {
  const std::vector<uint8_t> mp3 = SineMp3(1.0, 440, 0.5f);
  std::unique_ptr<AudioStream> stream = OpenAudioStream(mp3.data(), mp3.size());
  stream->Play(true);
  SleepMs(50);
  EXPECT_EQ(stream->PositionMs(), 0) << "a paused stream stands still";
  const double unpaused = MonotonicSeconds();
  stream->SetPaused(false);
  const int playing = WaitPast(*stream, 50);
  // Never ahead of the time it has played for (the clock runs on the device's samples).
  EXPECT_GT(playing, 50);
  EXPECT_LE(playing, (MonotonicSeconds() - unpaused) * 1000 + 1);

  stream->SeekMs(700);
  EXPECT_EQ(stream->PositionMs(), 700);
  stream->SeekMs(-300);
  EXPECT_EQ(stream->PositionMs(), 0);
  const double seeked = MonotonicSeconds();
  stream->SeekMs(900);
  const int past = WaitPast(*stream, 1000 + 1000 * kSpectrumWindow / kMixRate);  // the window past the 1 s track
  EXPECT_LE(past, 900 + (MonotonicSeconds() - seeked) * 1000 + 1);
  float bins[kSpectrumBins];
  stream->Spectrum(bins);
  EXPECT_EQ(*std::max_element(bins, bins + kSpectrumBins), 0.0f) << "past the end is silence";
}

TEST_F(LiveAudio, SpectrumIsThatOfTheAudioPlaying) {
  constexpr double kBinHz = 44100.0 / 1024;
  const std::vector<uint8_t> mp3 = SineMp3(2.0, 30 * kBinHz, 1.0f);
  std::unique_ptr<AudioStream> stream = OpenAudioStream(mp3.data(), mp3.size());
  stream->Play(false);
  WaitPast(*stream, 100);
  float bins[kSpectrumBins];
  stream->Spectrum(bins);
  EXPECT_EQ(std::max_element(bins, bins + kSpectrumBins) - bins, 30);
  EXPECT_GT(bins[30], 0.9f);
}

// A device that stops taking samples (its sound server gone) must not stop the show: after a few
// periods the clock runs on from where it stood, without a jump.
TEST_F(LiveAudio, ClockGoesOnWhenTheDeviceTakesNoMore) {
  const std::vector<uint8_t> mp3 = SineMp3(3.0, 440, 0.5f);
  std::unique_ptr<AudioStream> stream = OpenAudioStream(mp3.data(), mp3.size());
  stream->Play(false);
  const int before = WaitPast(*stream, 100);
  CloseAudio();
  const int stood = stream->PositionMs();
  const double from = MonotonicSeconds();
  const int later = WaitPast(*stream, stood + 200);
  const double took = MonotonicSeconds() - from;
  EXPECT_GE(stood, before);
  EXPECT_LE(stood, before + 100) << "jumped ahead when the device went";
  EXPECT_GT(later, stood + 200) << "the clock stopped with the device";
  EXPECT_LE(later, stood + took * 1000 + 1) << "ran faster than real time";
}

TEST(LiveAudioWithoutDevice, RunsSilentlyOnTheMonotonicClock) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  ASSERT_FALSE(InitAudio(kMixRate));
  const std::vector<uint8_t> mp3 = SineMp3(0.5, 440, 0.5f);
  std::unique_ptr<AudioStream> stream = OpenAudioStream(mp3.data(), mp3.size());
  const double before = MonotonicSeconds();
  stream->Play(false);
  const double started = MonotonicSeconds();
  SleepMs(100);
  const double readFrom = MonotonicSeconds();
  const int ms = stream->PositionMs();
  const double readTo = MonotonicSeconds();
  // The monotonic clock from Play to the reading, whenever each ran.
  EXPECT_GE(ms, std::floor((readFrom - started) * 1000) - 1);
  EXPECT_LE(ms, (readTo - before) * 1000 + 1);
  stream->SeekMs(250000);
  EXPECT_EQ(stream->PositionMs(), 250000);
  float bins[kSpectrumBins];
  stream->Spectrum(bins);
  EXPECT_EQ(*std::max_element(bins, bins + kSpectrumBins), 0.0f);
  unsetenv("SDL_AUDIODRIVER");
}
