// Frames through the capture path: start-up on the offline clock, then single frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "director/DemoState.h"
#include "director/Music.h"
#include "platform/FileBytes.h"
#include "platform/Mp3Decode.h"
#include "support/GlTest.h"
#include "tools/capture/CaptureFrames.h"

namespace {

class CaptureFrame : public GlTest {
 protected:
  static void SetUpTestSuite() {
    GlTest::SetUpTestSuite();
    StartCaptureShow();
  }
  static uint8_t Brightest(const std::vector<uint8_t>& rgb, int row) {
    uint8_t most = 0;
    for (int i = 0; i < kCaptureWidth * 3; ++i) most = std::max(most, rgb[static_cast<size_t>(row) * kCaptureWidth * 3 + i]);
    return most;
  }
};

}  // namespace

TEST_F(CaptureFrame, AtTwoSecondsOnlyTheScanlinesLightTheBlack) {
  std::vector<uint8_t> rgb;
  ASSERT_TRUE(RenderCaptureFrame(2000, rgb));
  ASSERT_EQ(rgb.size(), static_cast<size_t>(kCaptureWidth) * kCaptureHeight * 3);
  EXPECT_EQ(DemoClock, 2.0f);
  // Letterbox bars (rows 0-69 and 530-599) and the rows between scanlines stay black.
  for (int row = 0; row < kCaptureHeight; ++row) {
    const bool scanline = row >= 70 && row < 530 && row % 5 < 2;
    if (!scanline) {
      ASSERT_EQ(Brightest(rgb, row), 0) << "row " << row;
    }
  }
  const uint8_t line = Brightest(rgb, 100);
  if (line == 0) GTEST_SKIP() << "no scanlines drawn yet (the overlays have not landed)";
  EXPECT_NEAR(line, 31, 3) << "white at 0.12 over black";
  for (int row = 70; row < 530; row += 5) EXPECT_EQ(Brightest(rgb, row), line) << "row " << row;
}

TEST_F(CaptureFrame, BandsComeFromAFrameEarlierAndTheShowStopsAfter282) {
  EXPECT_EQ(BandSourceMs(2000), 1983);
  EXPECT_LT(BandSourceMs(10), 0);
  std::vector<uint8_t> rgb;
  EXPECT_TRUE(RenderCaptureFrame(282000, rgb));
  rgb.clear();
  EXPECT_FALSE(RenderCaptureFrame(282001, rgb));
  EXPECT_TRUE(rgb.empty());
}

TEST_F(CaptureFrame, AFrameAfterAJumpStartsFromTheStateTheSkippedScenesLeave) {
  // The totem scene keeps fog on until its last second; jumping from 108 s into the figure
  // orbit must not draw the star box in that fog, black.
  const auto meanLevel = [](const std::vector<uint8_t>& rgb) {
    double sum = 0;
    for (const uint8_t v : rgb) sum += v;
    return sum / static_cast<double>(rgb.size());
  };
  std::vector<uint8_t> afterJump, afterTotemEnd;
  ASSERT_TRUE(RenderCaptureFrame(108000, afterJump));
  ASSERT_TRUE(RenderCaptureFrame(120000, afterJump));
  ASSERT_TRUE(RenderCaptureFrame(115983, afterTotemEnd));
  ASSERT_TRUE(RenderCaptureFrame(120000, afterTotemEnd));
  EXPECT_GT(meanLevel(afterJump), 10.0);
  EXPECT_TRUE(afterJump == afterTotemEnd);
}

TEST_F(CaptureFrame, MusicSamplesOfASpanAreTheTracksOwnAndSilentOutsideIt) {
  std::vector<uint8_t> file;
  ASSERT_TRUE(ReadFileBytes("data/music/sonorrak.mp3", file));
  DecodedAudio track;
  std::string error;
  ASSERT_TRUE(DecodeMp3(file.data(), file.size(), track, error)) << error;
  const int64_t length = static_cast<int64_t>(track.FrameCount());

  // Two sequential reads, then a seek back: each equals the whole decode at that place.
  const int64_t first = 60 * kMusicSampleRate + 123;
  std::vector<float> stereo(2 * 3000);
  ReadMusicSamples(first, stereo.data(), 1000);
  ReadMusicSamples(first + 1000, stereo.data() + 2000, 2000);
  for (size_t i = 0; i < stereo.size(); ++i) ASSERT_EQ(stereo[i], track.samples[2 * first + i]) << i;
  ReadMusicSamples(5, stereo.data(), 10);
  EXPECT_EQ(stereo[0], track.samples[10]);

  // Straddling the start and the end of the track.
  ReadMusicSamples(-4, stereo.data(), 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(stereo[i], 0.f);
  EXPECT_EQ(stereo[8], track.samples[0]);
  std::fill(stereo.begin(), stereo.end(), 1.f);
  ReadMusicSamples(length - 2, stereo.data(), 10);
  EXPECT_EQ(stereo[0], track.samples[2 * (length - 2)]);
  for (int i = 4; i < 20; ++i) EXPECT_EQ(stereo[i], 0.f) << i;
}
