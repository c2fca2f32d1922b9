// Look-ahead brick-wall limiter: the gain reaches its floor before a peak arrives, so no output
// sample exceeds the ceiling. Inter-sample peaks are estimated at 2x so that the encoded file
// keeps its true-peak headroom. Delays the signal by Latency() samples.
#pragma once
#include <array>

namespace synth {

struct Limiter {
  static constexpr int kLookahead = 64;  // samples, about 1.5 ms at 44.1 kHz

  void Init(float sampleRate);
  // dBFS, clamped to -24..0.
  void SetCeiling(float db);
  // Seconds for the gain to recover, clamped to 0.001..2.
  void SetRelease(float seconds);
  void Process(float& left, float& right);
  int Latency() const { return kLookahead - 1; }

  float ceiling_ = 0.89f;
  float releaseCoef_ = 0.f;
  float sampleRate_ = 44100.f;
  float released_ = 1.f;
  double gainSum_ = kLookahead;
  int index_ = 0;
  float previousL_ = 0.f;
  float previousR_ = 0.f;
  std::array<float, kLookahead> required_{};
  std::array<float, kLookahead> smoothed_{};
  std::array<float, kLookahead> delayL_{};
  std::array<float, kLookahead> delayR_{};
};

}  // namespace synth
