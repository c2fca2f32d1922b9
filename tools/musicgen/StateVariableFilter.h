// Topology-preserving (trapezoidal) state-variable filter: low, band and high pass at once,
// stable under fast cutoff modulation.
#pragma once

namespace synth {

struct StateVariableFilter {
  struct Outputs {
    float low;
    float band;
    float high;
  };

  void Init(float sampleRate);
  // Hz, clamped to 10..0.45 x sample rate.
  void SetCutoff(float hz);
  // Q, clamped to 0.5..30; 0.707 is the flattest low pass.
  void SetResonance(float q);
  Outputs Process(float in);
  void Reset() { ic1_ = ic2_ = 0.f; }

  float sampleRate_ = 44100.f;
  float cutoff_ = 1000.f;
  float k_ = 1.41421356f;  // 1 / Q
  float a1_ = 0.f;
  float a2_ = 0.f;
  float a3_ = 0.f;
  float ic1_ = 0.f;
  float ic2_ = 0.f;

 private:
  void UpdateCoefficients();
};

}  // namespace synth
