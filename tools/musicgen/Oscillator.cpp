// PolyBLEP: a two-sample polynomial residual subtracted at each discontinuity.
#include "tools/musicgen/Oscillator.h"

#include <algorithm>
#include <cmath>

namespace synth {
namespace {

constexpr float kTwoPi = 6.28318530717958647f;

// t is the phase in cycles, dt the phase increment per sample.
float PolyBlep(float t, float dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.f;
  }
  if (t > 1.f - dt) {
    t = (t - 1.f) / dt;
    return t * t + t + t + 1.f;
  }
  return 0.f;
}

}  // namespace

void Oscillator::Init(float sampleRate) {
  sampleRate_ = std::clamp(sampleRate, 8000.f, 192000.f);
  phase_ = 0.f;
  increment_ = 0.f;
  pulseWidth_ = 0.5f;
  waveform_ = Waveform::saw;
}

void Oscillator::SetFrequency(float hz) {
  if (!(hz > 0.f)) hz = 0.f;
  increment_ = std::min(hz, 0.45f * sampleRate_) / sampleRate_;
}

void Oscillator::SetPulseWidth(float width) {
  pulseWidth_ = std::clamp(std::isfinite(width) ? width : 0.5f, 0.05f, 0.95f);
}

void Oscillator::SetPhase(float phase) {
  phase_ = std::isfinite(phase) ? phase - std::floor(phase) : 0.f;
}

float Oscillator::Process() {
  const float t = phase_;
  const float dt = increment_;
  float out = 0.f;
  switch (waveform_) {
    case Waveform::sine:
      out = std::sin(kTwoPi * t);
      break;
    case Waveform::saw:
      out = 2.f * t - 1.f;
      if (dt > 0.f) out -= PolyBlep(t, dt);
      break;
    case Waveform::pulse: {
      out = t < pulseWidth_ ? 1.f : -1.f;
      if (dt > 0.f) {
        float falling = t + 1.f - pulseWidth_;
        falling -= std::floor(falling);
        out += PolyBlep(t, dt) - PolyBlep(falling, dt);
      }
      break;
    }
  }
  phase_ += dt;
  if (phase_ >= 1.f) phase_ -= 1.f;
  return out;
}

}  // namespace synth
