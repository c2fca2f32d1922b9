// Synthesised drums: a kick with a pitch sweep and click, a snare of tone and noise, and hats
// (and cymbals) from high-passed noise. Each is retriggered by Trigger and silent when idle.
#pragma once
#include "tools/musicgen/Noise.h"
#include "tools/musicgen/StateVariableFilter.h"

namespace synth {

struct Kick {
  void Init(float sampleRate);
  // Sweep from startHz down to endHz with the given time constant (seconds); all clamped.
  void SetPitch(float startHz, float endHz, float sweepSeconds);
  // Time for the body to fall by 60 dB.
  void SetDecay(float seconds);
  // Level of the click transient, 0..1.
  void SetClick(float amount);
  // Soft saturation, 1 (clean) .. 8.
  void SetDrive(float drive);
  void Trigger(float velocity);
  float Process();
  // Instantaneous frequency of the sweep, Hz.
  float Frequency() const;

  float sampleRate_ = 44100.f;
  float startHz_ = 300.f;
  float endHz_ = 50.f;
  float sweepCoef_ = 0.f;
  float sweep_ = 0.f;  // 1 at the hit, falling to 0
  float decayCoef_ = 0.f;
  float amplitude_ = 0.f;
  float click_ = 0.3f;
  float clickLevel_ = 0.f;
  float clickCoef_ = 0.f;
  float drive_ = 1.f;
  float phase_ = 0.f;
  Noise noise_;
  StateVariableFilter clickFilter_;
};

struct Snare {
  void Init(float sampleRate);
  // Body pitch (Hz) and the time for the tone and the noise to fall by 60 dB.
  void SetTone(float hz, float toneDecay);
  void SetNoise(float level, float noiseDecay, float brightnessHz);
  void Trigger(float velocity);
  float Process();

  float sampleRate_ = 44100.f;
  float toneHz_ = 190.f;
  float toneCoef_ = 0.f;
  float noiseCoef_ = 0.f;
  float noiseLevel_ = 0.8f;
  float toneAmp_ = 0.f;
  float noiseAmp_ = 0.f;
  float sweep_ = 0.f;
  float sweepCoef_ = 0.f;
  float phaseA_ = 0.f;
  float phaseB_ = 0.f;
  Noise noise_;
  StateVariableFilter noiseFilter_;
};

struct Hat {
  void Init(float sampleRate, unsigned seed);
  // High-pass corner of the noise (Hz) and the time to fall by 60 dB.
  void SetTone(float highPassHz, float decay);
  void Trigger(float velocity);
  // Cuts a ringing open hat short, as a closed hat does on a real kit.
  void Choke();
  float Process();

  float sampleRate_ = 44100.f;
  float decayCoef_ = 0.f;
  float chokeCoef_ = 0.f;
  float amplitude_ = 0.f;
  bool choked_ = false;
  Noise noise_;
  StateVariableFilter highPass_;
  StateVariableFilter presence_;
};

}  // namespace synth
