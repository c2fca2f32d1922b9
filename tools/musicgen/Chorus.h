// Stereo chorus: two short delay lines swept by one LFO in quadrature, mixed with the dry signal.
#pragma once
#include <array>

namespace synth {

struct Chorus {
  static constexpr int kMaxSamples = 4096;

  void Init(float sampleRate);
  // Sweep rate (Hz, 0.01..5) and depth (seconds of delay swing, 0..0.01).
  void SetRate(float hz);
  void SetDepth(float seconds);
  // 0 (dry) .. 1 (wet).
  void SetMix(float mix);
  void Process(float& left, float& right);

  float sampleRate_ = 44100.f;
  float phase_ = 0.f;
  float increment_ = 0.f;
  float baseDelay_ = 0.f;
  float depth_ = 0.f;
  float mix_ = 0.5f;
  int write_ = 0;
  std::array<float, kMaxSamples> left_{};
  std::array<float, kMaxSamples> right_{};
};

}  // namespace synth
