// Stereo-linked feed-forward bus compressor with a soft knee; the two channels share one gain so
// the stereo image does not wander.
#pragma once

namespace synth {

struct Compressor {
  void Init(float sampleRate);
  // dBFS, clamped to -60..0; ratio clamped to 1..20.
  void SetThreshold(float db);
  void SetRatio(float ratio);
  // Seconds, clamped to 0.0001..2.
  void SetAttack(float seconds);
  void SetRelease(float seconds);
  // dB of gain after compression, clamped to 0..24.
  void SetMakeup(float db);
  void Process(float& left, float& right);
  // Gain reduction of the last sample, dB (0 or negative).
  float GainReductionDb() const { return reductionDb_; }

  float sampleRate_ = 44100.f;
  float thresholdDb_ = -12.f;
  float ratio_ = 2.f;
  float kneeDb_ = 6.f;
  float attackCoef_ = 0.f;
  float releaseCoef_ = 0.f;
  float makeup_ = 1.f;
  float envelopeDb_ = -120.f;
  float reductionDb_ = 0.f;
};

}  // namespace synth
