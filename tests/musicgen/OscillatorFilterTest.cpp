// Oscillators, envelopes and the state-variable filter, measured from their output.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "SignalProbe.h"
#include "tools/musicgen/Envelope.h"
#include "tools/musicgen/Oscillator.h"
#include "tools/musicgen/StateVariableFilter.h"

namespace {

constexpr float kRate = 44100.f;

std::vector<float> Generate(synth::Oscillator& osc, size_t n) {
  std::vector<float> out(n);
  for (float& v : out) v = osc.Process();
  return out;
}

TEST(Oscillator, SawPitchAndHarmonicsShowInTheSpectrum) {
  synth::Oscillator osc;
  osc.Init(kRate);
  osc.SetWaveform(synth::Waveform::saw);
  osc.SetFrequency(440.f);
  const auto x = Generate(osc, 8192);
  // A saw's harmonics fall as 2/(pi k).
  EXPECT_NEAR(ToneLevel(x, 440.0, kRate), 2.0 / 3.14159, 0.03);
  EXPECT_NEAR(ToneLevel(x, 880.0, kRate), 1.0 / 3.14159, 0.02);
  EXPECT_LT(ToneLevel(x, 660.0, kRate), 0.01);
}

TEST(Oscillator, PolyBlepKeepsAliasesOfHighNotesLow) {
  // At 5 kHz the 9th harmonic (45 kHz) folds to 900 Hz; a naive saw leaves it at 1/9 of the
  // fundamental's level (-19 dB), the corrected one far below.
  synth::Oscillator osc;
  osc.Init(kRate);
  osc.SetFrequency(5000.f);
  const auto x = Generate(osc, 16384);
  const double fundamental = ToneLevel(x, 5000.0, kRate);
  EXPECT_LT(Db(ToneLevel(x, 900.0, kRate) / fundamental), -40.0);
  EXPECT_LT(Db(ToneLevel(x, 19100.0, kRate) / fundamental), -20.0);
}

TEST(Oscillator, PulseWidthSetsTheDutyCycleAndIsClamped) {
  synth::Oscillator osc;
  osc.Init(kRate);
  osc.SetWaveform(synth::Waveform::pulse);
  osc.SetFrequency(100.f);
  for (float width : {0.25f, 0.5f, 0.01f}) {
    osc.SetPulseWidth(width);
    const auto x = Generate(osc, 44100);
    int high = 0;
    for (float v : x) high += v > 0.f;
    const float expected = width < 0.05f ? 0.05f : width;
    EXPECT_NEAR(high / 44100.0, expected, 0.01) << width;
  }
}

TEST(Oscillator, BadFrequenciesAreClampedNotPropagated) {
  synth::Oscillator osc;
  osc.Init(kRate);
  for (float hz : {std::numeric_limits<float>::quiet_NaN(), -50.f, 1e9f}) {
    osc.SetFrequency(hz);
    for (float v : Generate(osc, 1000)) {
      ASSERT_TRUE(std::isfinite(v));
      ASSERT_LE(std::fabs(v), 1.5f);
    }
  }
  osc.SetFrequency(1e9f);
  EXPECT_FLOAT_EQ(osc.increment_, 0.45f);
}

TEST(Envelope, StagesTakeTheirSetTimes) {
  synth::Envelope env;
  env.Init(kRate);
  env.SetAttack(0.01f);
  env.SetDecay(0.1f);
  env.SetSustain(0.5f);
  env.SetRelease(0.2f);
  env.Gate(true);
  int peakAt = -1;
  for (int i = 0; i < 1000 && peakAt < 0; ++i) {
    if (env.Process() >= 1.f) peakAt = i;
  }
  EXPECT_NEAR(peakAt, 441, 2);
  // 100 ms later the decay has covered 99.9 % of the way to the sustain level.
  float level = 0.f;
  for (int i = 0; i < 4410; ++i) level = env.Process();
  EXPECT_NEAR(level, 0.5f + 0.0005f, 0.0003f);
  for (int i = 0; i < 4410; ++i) level = env.Process();
  EXPECT_FLOAT_EQ(level, 0.5f);
  env.Gate(false);
  for (int i = 0; i < 8820; ++i) level = env.Process();
  EXPECT_NEAR(level, 0.0005f, 0.0003f);
  for (int i = 0; i < 4410 && env.Active(); ++i) env.Process();
  EXPECT_FALSE(env.Active());
}

TEST(Envelope, RetriggerDuringReleaseRisesFromThePresentLevel) {
  synth::Envelope env;
  env.Init(kRate);
  env.SetAttack(0.01f);
  env.SetSustain(1.f);
  env.Gate(true);
  for (int i = 0; i < 2000; ++i) env.Process();
  env.Gate(false);
  float before = 0.f;
  for (int i = 0; i < 500; ++i) before = env.Process();
  env.Gate(true);
  const float after = env.Process();
  EXPECT_GT(after, before);
  EXPECT_LT(after - before, 0.01f);
}

double FilterGain(synth::StateVariableFilter& f, double hz, int output) {
  f.Reset();
  std::vector<float> y(16384);
  for (size_t i = 0; i < y.size(); ++i) {
    const auto o = f.Process(static_cast<float>(std::sin(2.0 * 3.14159265358979 * hz * i / kRate)));
    y[i] = output == 0 ? o.low : output == 1 ? o.band : o.high;
  }
  y.erase(y.begin(), y.begin() + 4096);  // let the filter settle
  return ToneLevel(y, hz, kRate);
}

TEST(StateVariableFilter, ResponseAtAndAroundTheCutoff) {
  synth::StateVariableFilter f;
  f.Init(kRate);
  f.SetCutoff(1000.f);
  f.SetResonance(0.7071f);
  // At the cutoff each output has gain Q: -3 dB for the flattest setting.
  EXPECT_NEAR(Db(FilterGain(f, 1000.0, 0)), -3.0, 0.2);
  EXPECT_NEAR(Db(FilterGain(f, 1000.0, 2)), -3.0, 0.2);
  EXPECT_NEAR(Db(FilterGain(f, 100.0, 0)), 0.0, 0.1);
  // Two octaves up a two-pole low pass is about 24 dB down.
  EXPECT_NEAR(Db(FilterGain(f, 4000.0, 0)), -24.0, 1.5);
  f.SetResonance(8.f);
  EXPECT_NEAR(FilterGain(f, 1000.0, 1), 8.0, 0.3);
  EXPECT_NEAR(FilterGain(f, 1000.0, 0), 8.0, 0.3);
}

TEST(StateVariableFilter, StaysBoundedUnderWildModulationAndBadInput) {
  synth::StateVariableFilter f;
  f.Init(kRate);
  f.SetResonance(30.f);
  uint32_t seed = 1;
  for (int i = 0; i < 200000; ++i) {
    seed = seed * 1664525u + 1013904223u;
    f.SetCutoff(20.f + (seed >> 8) % 20000);
    const auto o = f.Process((i / 50) % 2 ? 1.f : -1.f);
    ASSERT_TRUE(std::isfinite(o.low) && std::fabs(o.low) < 100.f) << i;
  }
  f.SetCutoff(std::numeric_limits<float>::infinity());
  f.SetResonance(std::numeric_limits<float>::quiet_NaN());
  EXPECT_TRUE(std::isfinite(f.Process(1.f).low));
}

}  // namespace
