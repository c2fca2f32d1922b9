// Drums, effects and the master chain's dynamics units.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "SignalProbe.h"
#include "tools/musicgen/Compressor.h"
#include "tools/musicgen/Delay.h"
#include "tools/musicgen/Drums.h"
#include "tools/musicgen/Limiter.h"
#include "tools/musicgen/Reverb.h"

namespace {

constexpr float kRate = 44100.f;

TEST(Kick, PitchSweepsFromStartToEndAndTheBodyDecays) {
  synth::Kick kick;
  kick.Init(kRate);
  kick.SetPitch(300.f, 50.f, 0.03f);
  kick.SetDecay(0.5f);
  kick.SetClick(0.f);
  kick.Trigger(1.f);
  EXPECT_FLOAT_EQ(kick.Frequency(), 300.f);
  std::vector<float> x(44100);
  for (size_t i = 0; i < x.size(); ++i) {
    x[i] = kick.Process();
    if (i == 1322) {
      EXPECT_NEAR(kick.Frequency(), 50.f + 250.f / std::exp(1.f), 2.f);  // one time constant
    }
  }
  EXPECT_NEAR(ZeroCrossingHz(x, 8820, 22050, kRate), 50.0, 1.5);  // settled after 200 ms
  EXPECT_GT(Rms(x, 0, 441), 0.3);
  EXPECT_LT(Db(Rms(x, 22050, 23000) / Rms(x, 0, 2205)), -50.0);  // -60 dB point at 0.5 s
}

TEST(Kick, ClickAddsHighFrequencyOnlyAtTheStart) {
  synth::Kick plain, clicky;
  for (auto* k : {&plain, &clicky}) {
    k->Init(kRate);
    k->SetPitch(200.f, 50.f, 0.03f);
  }
  plain.SetClick(0.f);
  clicky.SetClick(1.f);
  plain.Trigger(1.f);
  clicky.Trigger(1.f);
  std::vector<float> difference(4410);
  for (float& d : difference) d = clicky.Process() - plain.Process();
  EXPECT_GT(Rms(difference, 0, 100), 0.05);
  EXPECT_LT(Rms(difference, 1000, 4410), 1e-4);
}

TEST(Snare, ToneAndNoiseBothSoundAndDieAway) {
  synth::Snare snare;
  snare.Init(kRate);
  snare.SetTone(200.f, 0.1f);
  snare.SetNoise(0.f, 0.2f, 1500.f);
  snare.Trigger(1.f);
  std::vector<float> tone(2048);
  for (float& v : tone) v = snare.Process();
  EXPECT_GT(ToneLevel(tone, 200.0 * 1.02, kRate), 0.05);  // the body bends down onto 200 Hz

  snare.SetNoise(1.f, 0.2f, 1500.f);
  snare.Trigger(1.f);
  std::vector<float> hit(44100);
  for (float& v : hit) v = snare.Process();
  EXPECT_GT(Rms(hit, 0, 2205), 0.1);
  EXPECT_LT(Rms(hit, 22050, 44100), 1e-3);
}

TEST(Hat, IsHighPassedAndChokeCutsItShort) {
  synth::Hat hat;
  hat.Init(kRate, 7);
  hat.SetTone(7000.f, 0.5f);
  hat.Trigger(1.f);
  std::vector<float> x(8192);
  for (float& v : x) v = hat.Process();
  EXPECT_LT(ToneLevel(x, 300.0, kRate), 0.2 * ToneLevel(x, 10000.0, kRate));
  hat.Trigger(1.f);
  hat.Choke();
  std::vector<float> choked(4410);
  for (float& v : choked) v = hat.Process();
  EXPECT_LT(Rms(choked, 2205, 4410), 1e-4);
}

TEST(Delay, EchoesPingPongWithFeedback) {
  auto delay = std::make_unique<synth::Delay>();
  delay->Init(kRate);
  delay->SetTime(0.1f);
  delay->SetFeedback(0.5f);
  delay->SetDamping(20000.f);
  std::vector<float> left(20000), right(20000);
  for (size_t i = 0; i < left.size(); ++i) delay->Process(i == 0 ? 1.f : 0.f, i == 0 ? 1.f : 0.f, left[i], right[i]);
  EXPECT_NEAR(left[4410], 1.f, 0.05f);
  EXPECT_NEAR(right[4410], 0.f, 1e-6f);
  EXPECT_NEAR(right[8820], 0.5f, 0.05f);
  EXPECT_NEAR(left[13230], 0.25f, 0.03f);
  delay->SetFeedback(5.f);  // clamped: the loop must still die away
  EXPECT_LE(delay->feedback_, 0.95f);
}

TEST(Reverb, TailDecaysAndIsStereo) {
  auto reverb = std::make_unique<synth::Reverb>();
  reverb->Init(kRate);
  reverb->SetRoomSize(0.8f);
  std::vector<float> left(4 * 44100), right(left.size());
  for (size_t i = 0; i < left.size(); ++i) reverb->Process(i == 0 ? 1.f : 0.f, 0.f, left[i], right[i]);
  const double early = Rms(left, 2000, 22050);
  EXPECT_GT(early, 1e-4);
  EXPECT_LT(Rms(left, 3 * 44100, 4 * 44100), 0.05 * early);
  double difference = 0.0;
  for (size_t i = 0; i < 22050; ++i) difference += std::fabs(left[i] - right[i]);
  EXPECT_GT(difference, 0.01);

  // A larger room rings longer.
  auto small = std::make_unique<synth::Reverb>();
  small->Init(kRate);
  small->SetRoomSize(0.1f);
  std::vector<float> smallLeft(left.size()), smallRight(left.size());
  for (size_t i = 0; i < left.size(); ++i) small->Process(i == 0 ? 1.f : 0.f, 0.f, smallLeft[i], smallRight[i]);
  EXPECT_LT(Rms(smallLeft, 44100, 88200), 0.3 * Rms(left, 44100, 88200));
}

TEST(Compressor, ReducesBySlopeAboveTheKnee) {
  synth::Compressor comp;
  comp.Init(kRate);
  comp.SetThreshold(-20.f);
  comp.SetRatio(4.f);
  comp.SetAttack(0.001f);
  float l = 0.f, r = 0.f;
  // A steady square wave 12 dB over: 4:1 leaves 3 dB over, so 9 dB of reduction.
  const float level = std::pow(10.f, -8.f / 20.f);
  for (int i = 0; i < 20000; ++i) {
    l = r = (i % 100 < 50) ? level : -level;
    comp.Process(l, r);
  }
  EXPECT_NEAR(comp.GainReductionDb(), -9.f, 0.2f);
  EXPECT_NEAR(Db(std::fabs(l)), -17.0, 0.2);
  comp.SetRatio(std::numeric_limits<float>::quiet_NaN());
  EXPECT_FLOAT_EQ(comp.ratio_, 1.f);
}

TEST(Limiter, NoSampleExceedsTheCeilingAndQuietAudioPassesUntouched) {
  synth::Limiter limiter;
  limiter.Init(kRate);
  limiter.SetCeiling(-1.f);
  const float ceiling = std::pow(10.f, -1.f / 20.f);
  uint32_t seed = 3;
  std::vector<float> in(60000), out(60000);
  for (size_t i = 0; i < in.size(); ++i) {
    seed = seed * 1664525u + 1013904223u;
    // A loud burst (up to +12 dB) between quiet stretches.
    const float noise = static_cast<float>(static_cast<int32_t>(seed)) / 2147483648.f;
    in[i] = (i >= 5000 && i < 15000) ? 4.f * noise : 0.1f * noise;
    float l = in[i], r = -in[i];
    limiter.Process(l, r);
    out[i] = l;
    ASSERT_LE(std::fabs(l), ceiling + 1e-6f) << i;
    ASSERT_LE(std::fabs(r), ceiling + 1e-6f) << i;
  }
  // Quiet passages come out unchanged once the gain has recovered, delayed by the latency.
  const int latency = limiter.Latency();
  for (size_t i = 55000; i < 56000; ++i) EXPECT_NEAR(out[i + latency], in[i], 5e-5f) << i;
  for (size_t i = 1000; i < 2000; ++i) EXPECT_FLOAT_EQ(out[i + latency], in[i]) << i;
}

}  // namespace
