#include "tools/musicgen/Delay.h"

#include <algorithm>
#include <cmath>

namespace synth {

void Delay::Init(float sampleRate) {
  sampleRate_ = std::clamp(sampleRate, 8000.f, 192000.f);
  left_.fill(0.f);
  right_.fill(0.f);
  write_ = 0;
  dampL_ = dampR_ = 0.f;
  SetTime(0.375f);
  SetFeedback(0.4f);
  SetDamping(5000.f);
}

void Delay::SetTime(float seconds) {
  if (!std::isfinite(seconds)) seconds = 0.f;
  delaySamples_ = std::clamp(static_cast<int>(std::lround(seconds * sampleRate_)), 1, kMaxSamples - 1);
}

void Delay::SetFeedback(float amount) {
  feedback_ = std::clamp(std::isfinite(amount) ? amount : 0.f, 0.f, 0.95f);
}

void Delay::SetDamping(float hz) {
  if (!std::isfinite(hz)) hz = 5000.f;
  hz = std::clamp(hz, 100.f, 0.45f * sampleRate_);
  dampCoef_ = std::exp(-6.28318530718f * hz / sampleRate_);
}

void Delay::Process(float inL, float inR, float& outL, float& outR) {
  int read = write_ - delaySamples_;
  if (read < 0) read += kMaxSamples;
  const float echoL = left_[read];
  const float echoR = right_[read];
  dampL_ = echoL + (dampL_ - echoL) * dampCoef_;
  dampR_ = echoR + (dampR_ - echoR) * dampCoef_;
  // Ping-pong: the mono sum enters on the left and every echo crosses to the other side.
  left_[write_] = 0.5f * (inL + inR) + dampR_ * feedback_;
  right_[write_] = dampL_ * feedback_;
  write_ = (write_ + 1) & (kMaxSamples - 1);
  outL = echoL;
  outR = echoR;
}

}  // namespace synth
