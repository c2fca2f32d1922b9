// The built track, data/music/sonorrak.mp3, as the show will play it: decoded, then measured.
// Also the encoder and decoder on their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/FileBytes.h"
#include "platform/Mp3Decode.h"
#include "tools/musicgen/Loudness.h"
#include "tools/musicgen/Mp3Encode.h"
#include "tools/musicgen/Spectrum.h"

namespace {

struct Track {
  std::vector<uint8_t> bytes;
  DecodedAudio audio;
  bool ok = false;
};

const Track& BuiltTrack() {
  static const Track track = [] {
    Track t;
    std::string error;
    t.ok = ReadFileBytes("data/music/sonorrak.mp3", t.bytes) &&
           DecodeMp3(t.bytes.data(), t.bytes.size(), t.audio, error);
    return t;
  }();
  return track;
}

class EncodedTrack : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(BuiltTrack().ok) << "data/music/sonorrak.mp3 missing or undecodable"; }
  const DecodedAudio& audio() const { return BuiltTrack().audio; }
  size_t Frame(double seconds) const { return static_cast<size_t>(seconds * audio().sampleRate); }
};

TEST_F(EncodedTrack, FormatLengthAndBitrate) {
  EXPECT_EQ(audio().sampleRate, 44100);
  EXPECT_EQ(audio().channels, 2);
  const double seconds = static_cast<double>(audio().FrameCount()) / audio().sampleRate;
  EXPECT_GE(seconds, 290.0);
  const double kbps = BuiltTrack().bytes.size() * 8.0 / seconds / 1000.0;
  EXPECT_GT(kbps, 160.0);
  EXPECT_LT(kbps, 230.0);
}

TEST_F(EncodedTrack, CarriesItsTitle) {
  const auto& bytes = BuiltTrack().bytes;
  ASSERT_GT(bytes.size(), 10u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "ID3");
  const std::string head(bytes.begin(), bytes.begin() + 512);
  EXPECT_NE(head.find("TIT2"), std::string::npos);
  EXPECT_NE(head.find("The Vexilograph"), std::string::npos);
}

TEST_F(EncodedTrack, LoudnessAndTruePeakAfterDecoding) {
  const auto& a = audio();
  const auto blocks = synth::MeasureBlocks(a.samples.data(), a.FrameCount(), 2, a.sampleRate);
  EXPECT_NEAR(synth::IntegratedLoudness(blocks, 0.0, 1e9), -14.0, 0.5);
  EXPECT_LE(synth::TruePeakDb(a.samples.data(), a.FrameCount(), 2, 0, a.FrameCount()), -1.0);
  // The drop is clearly louder than the opening under the black fade.
  EXPECT_GT(synth::IntegratedLoudness(blocks, 61.5, 85.0), synth::IntegratedLoudness(blocks, 0.0, 7.6) + 6.0);
}

TEST_F(EncodedTrack, EndsAfterTheShowAndDecaysToSilence) {
  const auto& a = audio();
  // The last chord rings after 282 s ...
  EXPECT_GT(synth::SamplePeakDb(a.samples.data(), a.FrameCount(), 2, Frame(282.0), Frame(283.0)), -6.0);
  // ... and is gone before the file ends.
  EXPECT_LT(synth::SamplePeakDb(a.samples.data(), a.FrameCount(), 2, a.FrameCount() - Frame(2.0), a.FrameCount()),
            -60.0);
}

TEST_F(EncodedTrack, FinaleShellFlashesOnTheBeat) {
  const auto& a = audio();
  const auto b6 = synth::MeasureBeatPulse(a.samples.data(), a.FrameCount(), 2, a.sampleRate, 6, 250.0, 276.5, 0.5);
  EXPECT_GE(b6.beats, 50);
  EXPECT_GT(b6.onBeatMean, 0.3f);
  EXPECT_GT(b6.onBeatMin, 0.2f);
  EXPECT_LT(b6.betweenMean, 0.3f * b6.onBeatMean);
}

TEST_F(EncodedTrack, SpikeBallAndLaserBandsPulseWithTheBeat) {
  const auto& a = audio();
  const auto b4 = synth::MeasureBeatPulse(a.samples.data(), a.FrameCount(), 2, a.sampleRate, 4, 236.0, 245.5, 0.5);
  EXPECT_GT(b4.onBeatMean, 0.15f);
  EXPECT_LT(b4.betweenMean, 0.5f * b4.onBeatMean);
  const auto b6 = synth::MeasureBeatPulse(a.samples.data(), a.FrameCount(), 2, a.sampleRate, 6, 109.0, 112.5, 0.5);
  EXPECT_GT(b6.onBeatMean, 0.15f);
}

TEST_F(EncodedTrack, BandsTheShowReadsStayMostlyInZeroToOne) {
  const auto& a = audio();
  std::vector<float> band4, band6;
  for (double t = 8.0; t < 282.0; t += 0.113) {
    const auto bands = synth::ShowBands(a.samples.data(), a.FrameCount(), 2, Frame(t));
    band4.push_back(bands[4]);
    band6.push_back(bands[6]);
  }
  for (auto* band : {&band4, &band6}) {
    std::sort(band->begin(), band->end());
    EXPECT_LT((*band)[band->size() * 99 / 100], 1.f);
    EXPECT_LE(band->back(), 1.2f);
  }
}

// A 1 kHz tone burst under a Hann window, centred on frame `at`.
synth::StereoBuffer Burst(double seconds, size_t at) {
  synth::StereoBuffer pcm;
  pcm.left.assign(static_cast<size_t>(seconds * 44100), 0.f);
  for (int i = -400; i <= 400; ++i) {
    const double window = 0.5 + 0.5 * std::cos(3.14159265358979 * i / 400.0);
    pcm.left[at + i] = static_cast<float>(0.5 * window * std::sin(2.0 * 3.14159265358979 * 1000.0 * i / 44100.0));
  }
  pcm.right = pcm.left;
  return pcm;
}

// Energy-weighted mean frame of the left channel.
double EnergyCentre(const float* samples, size_t frames, int channels) {
  double weighted = 0.0, total = 0.0;
  for (size_t i = 0; i < frames; ++i) {
    const double e = double{samples[i * channels]} * samples[i * channels];
    weighted += e * i;
    total += e;
  }
  return total > 0.0 ? weighted / total : -1.0;
}

TEST(Mp3RoundTrip, SameInputSameBytesAndGaplessTiming) {
  const synth::StereoBuffer pcm = Burst(3.0, 44100);
  std::vector<uint8_t> first, second;
  std::string error;
  ASSERT_TRUE(synth::EncodeMp3(pcm, "t", first, error)) << error;
  ASSERT_TRUE(synth::EncodeMp3(pcm, "t", second, error)) << error;
  EXPECT_EQ(first, second);
  DecodedAudio decoded;
  ASSERT_TRUE(DecodeMp3(first.data(), first.size(), decoded, error)) << error;
  // Encoder delay and padding are trimmed: same length, the burst where it was.
  EXPECT_EQ(decoded.FrameCount(), pcm.Frames());
  EXPECT_NEAR(EnergyCentre(decoded.samples.data(), decoded.FrameCount(), 2), 44100.0, 2.0);
  EXPECT_NEAR(EnergyCentre(pcm.left.data(), pcm.Frames(), 1), 44100.0, 0.5);
}

TEST(Mp3Decode, RejectsWhatIsNotAnMp3) {
  DecodedAudio audio;
  std::string error;
  EXPECT_FALSE(DecodeMp3(nullptr, 0, audio, error));
  EXPECT_FALSE(error.empty());
  std::vector<uint8_t> noise(5000);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<uint8_t>((i * 7919u) >> 3);
  error.clear();
  EXPECT_FALSE(DecodeMp3(noise.data(), noise.size(), audio, error));
  EXPECT_EQ(audio.FrameCount(), 0u);
  // A valid file cut short still gives what was decodable.
  std::vector<uint8_t> mp3;
  ASSERT_TRUE(synth::EncodeMp3(Burst(2.0, 1000), "t", mp3, error));
  mp3.resize(mp3.size() / 2);
  EXPECT_TRUE(DecodeMp3(mp3.data(), mp3.size(), audio, error));
  EXPECT_GT(audio.FrameCount(), 30000u);
}

}  // namespace
