// Band-limited oscillator: sine, saw and pulse with PolyBLEP-corrected edges, so that high notes
// do not fold back as audible aliases.
#pragma once

namespace synth {

enum class Waveform { sine, saw, pulse };

struct Oscillator {
  void Init(float sampleRate);
  void SetWaveform(Waveform waveform) { waveform_ = waveform; }
  // Hz, clamped to 0..0.45 x sample rate.
  void SetFrequency(float hz);
  // Duty cycle of the pulse, clamped to 0.05..0.95.
  void SetPulseWidth(float width);
  // Phase in cycles, wrapped into 0..1.
  void SetPhase(float phase);
  // One sample in -1..1 (PolyBLEP edges may overshoot by a few per cent).
  float Process();

  float sampleRate_ = 44100.f;
  float phase_ = 0.f;
  float increment_ = 0.f;
  float pulseWidth_ = 0.5f;
  Waveform waveform_ = Waveform::saw;
};

}  // namespace synth
