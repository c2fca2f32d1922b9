// Gain path: required gain per sample -> minimum over the look-ahead window -> release
// smoothing (never above that minimum) -> moving average over the window. Every gain in the
// average's window is at or below the required gain of the sample leaving the delay line.
#include "tools/musicgen/Limiter.h"

#include <algorithm>
#include <cmath>

namespace synth {

void Limiter::Init(float sampleRate) {
  sampleRate_ = std::clamp(sampleRate, 8000.f, 192000.f);
  required_.fill(1.f);
  smoothed_.fill(1.f);
  delayL_.fill(0.f);
  delayR_.fill(0.f);
  gainSum_ = kLookahead;
  released_ = 1.f;
  index_ = 0;
  previousL_ = previousR_ = 0.f;
  SetCeiling(-1.f);
  SetRelease(0.1f);
}

void Limiter::SetCeiling(float db) {
  ceiling_ = std::pow(10.f, std::clamp(std::isfinite(db) ? db : -1.f, -24.f, 0.f) / 20.f);
}

void Limiter::SetRelease(float seconds) {
  seconds = std::clamp(std::isfinite(seconds) ? seconds : 0.1f, 0.001f, 2.f);
  releaseCoef_ = std::exp(-1.f / (seconds * sampleRate_));
}

void Limiter::Process(float& left, float& right) {
  // 1.1 x the straight-line midpoint to the previous sample: a cheap, slightly pessimistic
  // estimate of the overs that appear between samples once the signal is reconstructed.
  const float midL = 0.55f * (left + previousL_);
  const float midR = 0.55f * (right + previousR_);
  previousL_ = left;
  previousR_ = right;
  const float peak = std::max({std::fabs(left), std::fabs(right), std::fabs(midL), std::fabs(midR)});
  required_[index_] = peak > ceiling_ ? ceiling_ / peak : 1.f;

  float held = 1.f;
  for (float g : required_) held = std::min(held, g);
  released_ = held < released_ ? held : held + (released_ - held) * releaseCoef_;

  gainSum_ += released_ - smoothed_[index_];
  smoothed_[index_] = released_;
  const float gain = std::min(1.f, static_cast<float>(gainSum_ / kLookahead));

  // The oldest sample in the delay line sits at the slot about to be overwritten.
  const int oldest = (index_ + 1) % kLookahead;
  const float outL = delayL_[oldest] * gain;
  const float outR = delayR_[oldest] * gain;
  delayL_[index_] = left;
  delayR_[index_] = right;
  index_ = oldest;
  left = std::clamp(outL, -ceiling_, ceiling_);
  right = std::clamp(outR, -ceiling_, ceiling_);
}

}  // namespace synth
