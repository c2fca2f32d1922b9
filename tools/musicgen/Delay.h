// Stereo ping-pong delay with a damped feedback path. The buffer is a fixed member: nothing is
// allocated after construction.
#pragma once
#include <array>

namespace synth {

struct Delay {
  static constexpr int kMaxSamples = 1 << 17;  // about 3 s at 44.1 kHz

  void Init(float sampleRate);
  // Seconds, clamped to 1 sample .. the buffer.
  void SetTime(float seconds);
  // 0..0.95: the share of each echo fed into the next.
  void SetFeedback(float amount);
  // Low-pass corner of the echoes, Hz.
  void SetDamping(float hz);
  // In: the send; out: the echoes only (wet).
  void Process(float inL, float inR, float& outL, float& outR);

  float sampleRate_ = 44100.f;
  int delaySamples_ = 1;
  int write_ = 0;
  float feedback_ = 0.4f;
  float dampCoef_ = 0.f;
  float dampL_ = 0.f;
  float dampR_ = 0.f;
  std::array<float, kMaxSamples> left_{};
  std::array<float, kMaxSamples> right_{};
};

}  // namespace synth
