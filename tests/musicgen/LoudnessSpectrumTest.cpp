// The loudness meter against the standard's reference signals, true peak, and the show's
// spectrum bands.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tools/musicgen/Loudness.h"
#include "tools/musicgen/Spectrum.h"

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

// Stereo interleaved; amplitude in dBFS (sine peak), one entry per stretch of seconds.
std::vector<float> StereoTone(double hz, const std::vector<std::pair<double, double>>& stretches) {
  std::vector<float> x;
  size_t n = 0;
  for (const auto& [seconds, db] : stretches) {
    const double amplitude = db <= -200.0 ? 0.0 : std::pow(10.0, db / 20.0);
    for (size_t i = 0; i < static_cast<size_t>(seconds * kRate); ++i, ++n) {
      const float v = static_cast<float>(amplitude * std::sin(2.0 * kPi * hz * n / kRate));
      x.push_back(v);
      x.push_back(v);
    }
  }
  return x;
}

double Integrated(const std::vector<float>& x) {
  const auto blocks = synth::MeasureBlocks(x.data(), x.size() / 2, 2, kRate);
  return synth::IntegratedLoudness(blocks, 0.0, 1e9);
}

TEST(Loudness, ReferenceTonesReadTheirLevel) {
  // A 1 kHz tone at -23 dBFS in both channels is -23 LUFS; the same at -33 reads -33.
  EXPECT_NEAR(Integrated(StereoTone(997.0, {{20.0, -23.0}})), -23.0, 0.1);
  EXPECT_NEAR(Integrated(StereoTone(997.0, {{20.0, -33.0}})), -33.0, 0.1);
  // K-weighting: a 100 Hz tone reads lower than 1 kHz, a 4 kHz tone higher.
  EXPECT_LT(Integrated(StereoTone(60.0, {{10.0, -23.0}})), -23.5);
  EXPECT_GT(Integrated(StereoTone(4000.0, {{10.0, -23.0}})), -21.0);
}

TEST(Loudness, GatesIgnoreSilenceAndQuietPassages) {
  // Silence is below the absolute gate; a -36 dB passage falls under the relative gate.
  EXPECT_NEAR(Integrated(StereoTone(997.0, {{10.0, -200.0}, {20.0, -23.0}, {10.0, -200.0}})), -23.0, 0.1);
  EXPECT_NEAR(Integrated(StereoTone(997.0, {{10.0, -36.0}, {60.0, -23.0}, {10.0, -36.0}})), -23.0, 0.1);
  EXPECT_LE(Integrated(StereoTone(997.0, {{5.0, -200.0}})), -199.0);
}

TEST(Loudness, SectionsAndShortTermLoudness) {
  const auto x = StereoTone(997.0, {{10.0, -30.0}, {10.0, -20.0}});
  const auto blocks = synth::MeasureBlocks(x.data(), x.size() / 2, 2, kRate);
  EXPECT_NEAR(synth::IntegratedLoudness(blocks, 0.0, 9.6), -30.0, 0.1);
  EXPECT_NEAR(synth::IntegratedLoudness(blocks, 10.0, 19.6), -20.0, 0.1);
  EXPECT_NEAR(synth::MaxShortTermLoudness(blocks, 0.0, 17.0), -20.0, 0.1);
}

TEST(TruePeak, FindsThePeakBetweenSamples) {
  // A quarter-rate sine sampled 45 degrees off its crest: samples at 0.707, true peak 1.
  std::vector<float> x(4000);
  for (size_t i = 0; i < x.size(); ++i) x[i] = static_cast<float>(std::sin(kPi / 2 * i + kPi / 4));
  EXPECT_NEAR(synth::SamplePeakDb(x.data(), x.size(), 1, 0, x.size()), -3.01, 0.02);
  EXPECT_NEAR(synth::TruePeakDb(x.data(), x.size(), 1, 100, 3900), 0.0, 0.3);
}

TEST(Spectrum, FullScaleSineOnABandReadsOne) {
  // Band 6 is centred on 6 x 44100 / 1024 Hz.
  const double hz = 6.0 * kRate / synth::kSpectrumWindow;
  std::vector<float> x(4096);
  for (size_t i = 0; i < x.size(); ++i) x[i] = static_cast<float>(std::sin(2.0 * kPi * hz * i / kRate));
  const auto bands = synth::ShowBands(x.data(), x.size(), 1, 3000);
  EXPECT_NEAR(bands[6], 1.f, 0.01f);
  EXPECT_NEAR(bands[5], 0.5f, 0.01f);  // the Hann window's neighbouring bin
  EXPECT_LT(bands[4], 0.01f);
  // Stereo is read as the mono mix: opposite channels cancel.
  std::vector<float> stereo;
  for (float v : x) {
    stereo.push_back(v);
    stereo.push_back(-v);
  }
  EXPECT_LT(synth::ShowBands(stereo.data(), x.size(), 2, 3000)[6], 1e-6f);
  // Before the start of the audio the window reads silence.
  EXPECT_FLOAT_EQ(synth::ShowBands(x.data(), x.size(), 1, 0)[6], 0.f);
}

TEST(Spectrum, BeatPulseSeparatesHitsFromTheGaps) {
  // A 258 Hz burst of 100 ms on every beat.
  const double hz = 6.0 * kRate / synth::kSpectrumWindow;
  std::vector<float> x(kRate * 4);
  for (size_t i = 0; i < x.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    if (std::fmod(t, 0.5) < 0.1) x[i] = static_cast<float>(0.8 * std::sin(2.0 * kPi * hz * t));
  }
  const auto pulse = synth::MeasureBeatPulse(x.data(), x.size(), 1, kRate, 6, 0.0, 3.5, 0.5);
  EXPECT_EQ(pulse.beats, 7);
  EXPECT_NEAR(pulse.onBeatMean, 0.8f, 0.05f);
  EXPECT_LT(pulse.betweenMean, 0.01f);
}

}  // namespace
