// The spectrum's scale, bin placement and clamping, and the offline clock that feeds it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "support/TestMp3.h"
#include "platform/OfflineClock.h"
#include "platform/SpectrumAnalyser.h"

namespace {

void Sine(float amplitude, double hz, float out[kSpectrumWindow]) {
  for (int i = 0; i < kSpectrumWindow; ++i)
    out[i] = amplitude * static_cast<float>(std::sin(2 * std::numbers::pi * hz * i / kMixRate + 0.3));
}

int Loudest(const float bins[kSpectrumBins]) {
  return static_cast<int>(std::max_element(bins, bins + kSpectrumBins) - bins);
}

constexpr double kBinHz = static_cast<double>(kMixRate) / kSpectrumWindow;  // 43.07 Hz

class Spectrum : public ::testing::Test {
 protected:
  void SetUp() override { analyser = CreateSpectrumAnalyser(); }
  void TearDown() override { DestroySpectrumAnalyser(analyser); }
  SpectrumAnalyser* analyser = nullptr;
  float input[kSpectrumWindow] = {};
  float bins[kSpectrumBins] = {};
};

}  // namespace

TEST_F(Spectrum, FullScaleSineReadsAboutOneInItsBin) {
  for (int bin : {3, 10, 100, 333}) {
    Sine(1.0f, bin * kBinHz, input);
    AnalyseSpectrum(*analyser, input, bins);
    EXPECT_EQ(Loudest(bins), bin);
    EXPECT_NEAR(bins[bin], 1.0f, 0.01f);
    EXPECT_LT(bins[bin + 3], 0.01f);  // Hann leakage stays in the neighbouring bins
    EXPECT_LT(bins[bin - 3], 0.01f);
  }
  Sine(0.25f, 20 * kBinHz, input);
  AnalyseSpectrum(*analyser, input, bins);
  EXPECT_NEAR(bins[20], 0.25f, 0.005f);
}

TEST_F(Spectrum, ClampsLoudAndBrokenInput) {
  Sine(8.0f, 40 * kBinHz, input);
  AnalyseSpectrum(*analyser, input, bins);
  EXPECT_EQ(bins[40], 1.0f);
  for (float v : bins) EXPECT_TRUE(v >= 0 && v <= 1);
  input[17] = std::numeric_limits<float>::quiet_NaN();
  AnalyseSpectrum(*analyser, input, bins);
  for (float v : bins) ASSERT_TRUE(v >= 0 && v <= 1);
  std::fill_n(input, kSpectrumWindow, 0.0f);
  AnalyseSpectrum(*analyser, input, bins);
  for (float v : bins) ASSERT_EQ(v, 0.0f);
}

TEST(OfflineClock, StandsWhereItIsPutAndAnalysesTheTrackThere) {
  // 1 s of 1033.6 Hz (bin 24) at half scale, then silence to the end of the track.
  const std::vector<uint8_t> mp3 = SineMp3(1.0, 24 * kBinHz, 0.5f);
  std::string problem;
  std::unique_ptr<MusicClock> clock = CreateOfflineClock(mp3.data(), mp3.size(), problem);
  EXPECT_EQ(problem, "");
  float bins[kSpectrumBins];
  EXPECT_EQ(clock->PositionMs(), 0);
  clock->Spectrum(bins);
  EXPECT_EQ(*std::max_element(bins, bins + kSpectrumBins), 0.0f) << "nothing has been heard at 0";

  clock->SeekMs(500);
  EXPECT_EQ(clock->PositionMs(), 500);
  EXPECT_EQ(clock->PositionMs(), 500) << "the offline clock must not advance by itself";
  clock->Spectrum(bins);
  EXPECT_EQ(Loudest(bins), 24);
  EXPECT_NEAR(bins[24], 0.5f, 0.05f);

  // 10 ms in: the window reaches back before the start, which counts as silence.
  clock->SeekMs(10);
  clock->Spectrum(bins);
  EXPECT_EQ(Loudest(bins), 24);
  EXPECT_LT(bins[24], 0.4f);

  clock->SeekMs(-700);
  EXPECT_EQ(clock->PositionMs(), 0);
  clock->SeekMs(290000);  // far past the end: silence, position kept
  EXPECT_EQ(clock->PositionMs(), 290000);
  clock->Spectrum(bins);
  EXPECT_EQ(*std::max_element(bins, bins + kSpectrumBins), 0.0f);
}

TEST(OfflineClock, WithoutATrackIsSilentButPositioned) {
  std::string problem;
  std::unique_ptr<MusicClock> clock = CreateOfflineClock(nullptr, 0, problem);
  EXPECT_EQ(problem, "the file is empty");
  clock->SeekMs(123456);
  EXPECT_EQ(clock->PositionMs(), 123456);
  float bins[kSpectrumBins];
  clock->Spectrum(bins);
  EXPECT_EQ(*std::max_element(bins, bins + kSpectrumBins), 0.0f);
}
