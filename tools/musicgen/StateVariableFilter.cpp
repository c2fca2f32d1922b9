// Coefficients after Zavalishin's TPT form: g = tan(pi fc / fs), two trapezoidal integrators.
#include "tools/musicgen/StateVariableFilter.h"

#include <algorithm>
#include <cmath>

namespace synth {

void StateVariableFilter::Init(float sampleRate) {
  sampleRate_ = std::clamp(sampleRate, 8000.f, 192000.f);
  cutoff_ = 1000.f;
  k_ = 1.41421356f;
  Reset();
  UpdateCoefficients();
}

void StateVariableFilter::SetCutoff(float hz) {
  if (!std::isfinite(hz)) hz = 1000.f;
  cutoff_ = std::clamp(hz, 10.f, 0.45f * sampleRate_);
  UpdateCoefficients();
}

void StateVariableFilter::SetResonance(float q) {
  if (!std::isfinite(q)) q = 0.707f;
  k_ = 1.f / std::clamp(q, 0.5f, 30.f);
  UpdateCoefficients();
}

void StateVariableFilter::UpdateCoefficients() {
  const float g = std::tan(3.14159265358979f * cutoff_ / sampleRate_);
  a1_ = 1.f / (1.f + g * (g + k_));
  a2_ = g * a1_;
  a3_ = g * a2_;
}

StateVariableFilter::Outputs StateVariableFilter::Process(float in) {
  const float v3 = in - ic2_;
  const float v1 = a1_ * ic1_ + a2_ * v3;
  const float v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
  ic1_ = 2.f * v1 - ic1_;
  ic2_ = 2.f * v2 - ic2_;
  return {v2, v1, in - k_ * v1 - v2};
}

}  // namespace synth
