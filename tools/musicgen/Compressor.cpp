#include "tools/musicgen/Compressor.h"

#include <algorithm>
#include <cmath>

namespace synth {
namespace {

float Coefficient(float seconds, float sampleRate) {
  seconds = std::clamp(std::isfinite(seconds) ? seconds : 0.01f, 0.0001f, 2.f);
  return std::exp(-1.f / (seconds * sampleRate));
}

}  // namespace

void Compressor::Init(float sampleRate) {
  sampleRate_ = std::clamp(sampleRate, 8000.f, 192000.f);
  SetThreshold(-12.f);
  SetRatio(2.f);
  SetAttack(0.01f);
  SetRelease(0.15f);
  SetMakeup(0.f);
  envelopeDb_ = -120.f;
  reductionDb_ = 0.f;
}

void Compressor::SetThreshold(float db) {
  thresholdDb_ = std::clamp(std::isfinite(db) ? db : -12.f, -60.f, 0.f);
}
void Compressor::SetRatio(float ratio) {
  ratio_ = std::clamp(std::isfinite(ratio) ? ratio : 1.f, 1.f, 20.f);
}
void Compressor::SetAttack(float seconds) { attackCoef_ = Coefficient(seconds, sampleRate_); }
void Compressor::SetRelease(float seconds) { releaseCoef_ = Coefficient(seconds, sampleRate_); }
void Compressor::SetMakeup(float db) {
  makeup_ = std::pow(10.f, std::clamp(std::isfinite(db) ? db : 0.f, 0.f, 24.f) / 20.f);
}

void Compressor::Process(float& left, float& right) {
  const float peak = std::max(std::fabs(left), std::fabs(right));
  const float levelDb = 20.f * std::log10(std::max(peak, 1e-6f));
  const float coef = levelDb > envelopeDb_ ? attackCoef_ : releaseCoef_;
  envelopeDb_ = levelDb + (envelopeDb_ - levelDb) * coef;
  // Soft knee: quadratic blend over kneeDb_ around the threshold.
  const float over = envelopeDb_ - thresholdDb_;
  const float slope = 1.f / ratio_ - 1.f;
  if (over <= -0.5f * kneeDb_) {
    reductionDb_ = 0.f;
  } else if (over >= 0.5f * kneeDb_) {
    reductionDb_ = slope * over;
  } else {
    const float x = over + 0.5f * kneeDb_;
    reductionDb_ = slope * x * x / (2.f * kneeDb_);
  }
  const float gain = std::pow(10.f, reductionDb_ / 20.f) * makeup_;
  left *= gain;
  right *= gain;
}

}  // namespace synth
