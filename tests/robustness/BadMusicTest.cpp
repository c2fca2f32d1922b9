// The music file broken in every way a user's own file can be, and no sound device: the missing
// file keeps its two lines on stdout, every other trouble is one line on stderr, and the clock
// runs from 0 (silent where the track cannot be played). A track at another rate plays, and the
// capture's sound of it is in time.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "ScratchFolder.h"
#include "director/Music.h"
#include "platform/LiveAudio.h"
#include "platform/MonotonicTime.h"
#include "platform/VideoEncoder.h"
#include "support/TestMp3.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kTrack = "data/music/sonorrak.mp3";
double startedAt = 0;  // when the last StartMusic began

struct MusicStart {
  std::string out;
  std::string err;
};

// StartMusic with the given file (absent when bytes is null) from a scratch data/ folder.
MusicStart StartWith(const std::vector<uint8_t>* bytes) {
  fs::create_directories("data/music");
  if (bytes) WriteAll(kTrack, *bytes);
  else fs::remove(kTrack);
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  startedAt = MonotonicSeconds();
  StartMusic();
  EnableSpectrum();
  MusicStart start;
  start.out = testing::internal::GetCapturedStdout();
  start.err = testing::internal::GetCapturedStderr();
  return start;
}

int LineCount(const std::string& text) {
  int lines = 0;
  for (const char c : text) lines += c == '\n';
  return lines;
}

bool SpectrumSilent() {
  const float* bins = MusicGetSpectrum();
  for (int i = 0; i < kSpectrumSize; ++i) {
    if (bins[i] != 0.0f) return false;
  }
  return true;
}

// The clock starts at 0 with StartMusic and moves on, never ahead of real time (the dummy
// driver's samples, or the monotonic clock); the bounds come from measured times only.
void ExpectClockRunsFromZero() {
  const int start = MusicGetTime();
  EXPECT_GE(start, 0);
  EXPECT_LE(start, (MonotonicSeconds() - startedAt) * 1000 + 1);
  int later = start;
  while (later <= start + 50 && MonotonicSeconds() - startedAt < 60) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    later = MusicGetTime();
  }
  EXPECT_GT(later, start + 50) << "the clock does not move";
  EXPECT_LE(later, (MonotonicSeconds() - startedAt) * 1000 + 1);
}

class BadMusic : public testing::Test {
 protected:
  void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
  void TearDown() override {
    CloseAudio();
    unsetenv("SDL_AUDIODRIVER");
  }
  ScratchFolder folder_{"vex-bad-music", true};
};

}  // namespace

TEST_F(BadMusic, MissingFilePrintsTheTwoLinesOnStdoutOnly) {
  const MusicStart start = StartWith(nullptr);
  EXPECT_EQ(start.out, "Error!\nFile Not Found\n");
  EXPECT_EQ(start.err, "");
  ExpectClockRunsFromZero();
  EXPECT_TRUE(SpectrumSilent());
}

TEST_F(BadMusic, UnplayableFilesSayWhyOnOneLineAndRunSilently) {
  const std::vector<uint8_t> png = ReadAll("data/textures/ball.png");
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"empty", {}},
      {"not an MP3", png},
      {"noise", WithJunkBefore({}, 200000)},
  };
  for (const auto& bad : cases) {
    SCOPED_TRACE(bad.name);
    const MusicStart start = StartWith(&bad.bytes);
    EXPECT_EQ(start.out, "");
    EXPECT_EQ(LineCount(start.err), 1) << start.err;
    EXPECT_NE(start.err.find("cannot be played"), std::string::npos) << start.err;
    EXPECT_NE(start.err.find(kTrack), std::string::npos) << start.err;
    ExpectClockRunsFromZero();
    EXPECT_TRUE(SpectrumSilent());
    MusicSetTime(200000);
    EXPECT_EQ(MusicGetTime(), 200000) << "the silent clock seeks";
  }
}

TEST_F(BadMusic, ATrackCutAtHalfPlaysAndSaysWhereItEnds) {
  std::vector<uint8_t> track = ReadAll(kTrack);
  track.resize(track.size() / 2);
  const MusicStart start = StartWith(&track);
  EXPECT_EQ(start.out, "");
  EXPECT_EQ(LineCount(start.err), 1) << start.err;
  EXPECT_NE(start.err.find("ends at 14"), std::string::npos) << start.err;
  ExpectClockRunsFromZero();
  MusicSetTime(250000);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_GE(MusicGetTime(), 250000) << "past the end the clock runs on in silence";
}

TEST_F(BadMusic, AMonoTrackAtHalfTheRatePlaysAtItsPitchOnBothChannels) {
  const std::vector<uint8_t> mono = SineMp3AtRate(3, 22050, 1);
  const MusicStart start = StartWith(&mono);
  // Its only trouble is its length, counted at its own rate.
  EXPECT_EQ(LineCount(start.err), 1) << start.err;
  EXPECT_NE(start.err.find("ends at 3.0 s"), std::string::npos) << start.err;
  ExpectClockRunsFromZero();
  // 440 Hz is bin 10 of the 44.1 kHz mix; played at the wrong rate it would be bin 20.
  const float* bins = MusicGetSpectrum();
  EXPECT_EQ(std::max_element(bins, bins + kSpectrumSize) - bins, 10);
  float both[2 * 64];
  ReadMusicSamples(22050, both, 64);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(both[2 * i], both[2 * i + 1]) << "mono on both channels";
}

// The capture's AAC of a 48 kHz VBR track with a cover picture, read a frame's worth at a time
// from 0.5 s, against ffmpeg's and sox's decode of the same span.
TEST_F(BadMusic, CaptureSoundOfA48kHzTrackIsTheTrackAtLagZero) {
  const std::vector<uint8_t> clean = ChirpMp3({48000, 2, true, true}, 4);
  const std::vector<uint8_t> track = WithCoverPicture(clean, 300000);
  StartWith(&track);
  VideoEncoderSettings settings;
  settings.path = "sound.mp4";
  settings.width = 64;
  settings.height = 48;
  settings.fps = 10;
  settings.sampleRate = kMusicSampleRate;
  std::string error;
  VideoEncoder* encoder = OpenVideoEncoder(settings, error);
  ASSERT_NE(encoder, nullptr) << error;
  const std::vector<uint8_t> picture(64 * 48 * 3, 0);
  constexpr int64_t kFirst = kMusicSampleRate / 2, kPerFrame = kMusicSampleRate / 10, kFrames = 30;
  std::vector<float> stereo(2 * kPerFrame);
  for (int64_t frame = 0; frame < kFrames; ++frame) {
    ReadMusicSamples(kFirst + frame * kPerFrame, stereo.data(), kPerFrame);
    ASSERT_TRUE(EncodeVideoFrame(*encoder, picture.data(), error)) << error;
    ASSERT_TRUE(EncodeAudioSamples(*encoder, stereo.data(), kPerFrame, error)) << error;
  }
  ASSERT_TRUE(CloseVideoEncoder(encoder, error)) << error;

  const std::vector<float> heard = DecodedStereo("sound.mp4");
  const std::vector<float> reference = ReferenceMix(clean, 48000, 2);
  ASSERT_GE(heard.size(), 2u * kFrames * kPerFrame);
  ASSERT_GE(reference.size(), 2u * (kFirst + kFrames * kPerFrame + 200));
  // Normalised correlation of the left channels, the capture's span shifted by lag samples.
  auto correlation = [&](int lag) {
    double both = 0, mine = 0, theirs = 0;
    for (int64_t i = 200; i < kFrames * kPerFrame - 200; ++i) {
      const double a = heard[2 * i], b = reference[2 * (kFirst + i + lag)];
      both += a * b;
      mine += a * a;
      theirs += b * b;
    }
    return both / std::sqrt(mine * theirs);
  };
  int best = 0;
  for (int lag = -100; lag <= 100; ++lag)
    if (correlation(lag) > correlation(best)) best = lag;
  EXPECT_EQ(best, 0);
  EXPECT_GT(correlation(0), 0.95) << "AAC keeps the chirp";
}

TEST_F(BadMusic, WithoutASoundDeviceOneLineAndTheShowRunsOnTheClock) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  const std::vector<uint8_t> track = ReadAll(kTrack);
  const MusicStart start = StartWith(&track);
  EXPECT_EQ(start.out, "");
  EXPECT_EQ(start.err, "vexilograph: no sound device; the show runs without sound\n");
  ExpectClockRunsFromZero();
}

TEST_F(BadMusic, StartingTwiceEndsTheFirstStream) {
  const std::vector<uint8_t> track = ReadAll(kTrack);
  const std::vector<uint8_t> shortTrack = SineMp3AtRate(3, 44100, 2);
  StartWith(&shortTrack);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  // The second start reads a larger file into the buffer the first stream decodes from, which
  // moves it; the first stream must be gone by then (the sanitizer run sees it otherwise).
  const MusicStart again = StartWith(&track);
  EXPECT_EQ(again.err, "");
  ExpectClockRunsFromZero();
  EXPECT_FALSE(SpectrumSilent());
}

// Last in this file: the offline clock, once chosen, stays for the process.
TEST_F(BadMusic, OfflineTheSameTroublesSayWhyOnOneLineAndTheFramesSeeSilence) {
  UseOfflineMusic();
  const MusicStart missing = StartWith(nullptr);
  EXPECT_EQ(missing.out, "Error!\nFile Not Found\n");
  EXPECT_EQ(missing.err, "");
  const std::vector<uint8_t> png = ReadAll("data/textures/ball.png");
  const std::vector<uint8_t> empty;
  for (const std::vector<uint8_t>* bad : {&empty, &png}) {
    const MusicStart start = StartWith(bad);
    EXPECT_EQ(start.out, "");
    EXPECT_EQ(LineCount(start.err), 1) << start.err;
    EXPECT_NE(start.err.find("cannot be played"), std::string::npos) << start.err;
    MusicSetTime(1000);
    EXPECT_EQ(MusicGetTime(), 1000);
    EXPECT_TRUE(SpectrumSilent());
  }
  const std::vector<uint8_t> track = SineMp3AtRate(2, 48000, 2);
  const MusicStart good = StartWith(&track);
  EXPECT_EQ(good.err, "");
  MusicSetTime(1000);
  EXPECT_FALSE(SpectrumSilent());
}
