// ADSR envelope: linear attack to 1, exponential decay to the sustain level and exponential
// release. Decay and release times are the time to cover 99.9 % (-60 dB) of the distance.
#pragma once

namespace synth {

struct Envelope {
  enum class Stage { idle, attack, decay, sustain, release };

  void Init(float sampleRate);
  // Seconds, clamped to 0.0005..30; sustain clamped to 0..1.
  void SetAttack(float seconds);
  void SetDecay(float seconds);
  void SetSustain(float level);
  void SetRelease(float seconds);
  // Restarts the attack from the present level, so retriggering does not click.
  void Gate(bool on);
  float Process();
  bool Active() const { return stage_ != Stage::idle; }

  float sampleRate_ = 44100.f;
  float attackStep_ = 1.f;
  float decayCoef_ = 0.f;
  float releaseCoef_ = 0.f;
  float sustain_ = 1.f;
  float level_ = 0.f;
  Stage stage_ = Stage::idle;
};

}  // namespace synth
