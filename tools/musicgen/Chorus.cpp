#include "tools/musicgen/Chorus.h"

#include <algorithm>
#include <cmath>

namespace synth {
namespace {

constexpr float kTwoPi = 6.28318530717958647f;

// Linear interpolation behind the write head; delay in samples.
float ReadAt(const std::array<float, Chorus::kMaxSamples>& line, int write, float delay) {
  float position = static_cast<float>(write) - delay;
  while (position < 0.f) position += Chorus::kMaxSamples;
  const int i = static_cast<int>(position);
  const float frac = position - static_cast<float>(i);
  const float a = line[i & (Chorus::kMaxSamples - 1)];
  const float b = line[(i + 1) & (Chorus::kMaxSamples - 1)];
  return a + (b - a) * frac;
}

}  // namespace

void Chorus::Init(float sampleRate) {
  sampleRate_ = std::clamp(sampleRate, 8000.f, 192000.f);
  left_.fill(0.f);
  right_.fill(0.f);
  write_ = 0;
  phase_ = 0.f;
  baseDelay_ = 0.012f * sampleRate_;
  SetRate(0.6f);
  SetDepth(0.003f);
  SetMix(0.5f);
}

void Chorus::SetRate(float hz) {
  if (!std::isfinite(hz)) hz = 0.5f;
  increment_ = std::clamp(hz, 0.01f, 5.f) / sampleRate_;
}

void Chorus::SetDepth(float seconds) {
  if (!std::isfinite(seconds)) seconds = 0.f;
  // Keep the swing inside the line: base delay plus depth must stay below the buffer.
  const float limit = std::min(0.01f, (kMaxSamples - 4) / sampleRate_ - 0.012f);
  depth_ = std::clamp(seconds, 0.f, limit) * sampleRate_;
}

void Chorus::SetMix(float mix) { mix_ = std::clamp(std::isfinite(mix) ? mix : 0.f, 0.f, 1.f); }

void Chorus::Process(float& left, float& right) {
  left_[write_] = left;
  right_[write_] = right;
  const float sweep = std::sin(kTwoPi * phase_);
  const float sweepQuadrature = std::cos(kTwoPi * phase_);
  phase_ += increment_;
  if (phase_ >= 1.f) phase_ -= 1.f;
  const float wetL = ReadAt(left_, write_, baseDelay_ + depth_ * 0.5f * (1.f + sweep));
  const float wetR = ReadAt(right_, write_, baseDelay_ + depth_ * 0.5f * (1.f + sweepQuadrature));
  write_ = (write_ + 1) & (kMaxSamples - 1);
  left = left + (wetL - left) * mix_;
  right = right + (wetR - right) * mix_;
}

}  // namespace synth
