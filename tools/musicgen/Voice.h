// One synthesiser voice: up to seven detuned oscillators (unison) with a sub oscillator and
// noise, a resonant filter swept by its own envelope and an LFO, and an amplitude envelope.
#pragma once
#include <array>
#include <cstdint>

#include "tools/musicgen/Envelope.h"
#include "tools/musicgen/Noise.h"
#include "tools/musicgen/Oscillator.h"
#include "tools/musicgen/StateVariableFilter.h"

namespace synth {

enum class FilterMode { low, band, high };

// The sound of an instrument. Plain data; Voice clamps what it reads.
struct Patch {
  Waveform waveform = Waveform::saw;
  int unison = 1;             // oscillators, 1..7
  float detuneCents = 0.f;    // total spread of the unison
  float stereoSpread = 0.f;   // 0 (mono) .. 1 (unison spread hard left to right)
  float pulseWidth = 0.5f;
  float oscLevel = 1.f;       // the (unison) oscillators
  float subLevel = 0.f;       // sine one octave below
  float noiseLevel = 0.f;
  float attack = 0.005f, decay = 0.3f, sustain = 0.8f, release = 0.2f;
  FilterMode filterMode = FilterMode::low;
  float cutoffHz = 2000.f;    // at middle C, before envelope and LFO
  float resonance = 0.707f;
  float keyTrack = 0.5f;      // 1: the cutoff follows the pitch exactly
  float envOctaves = 0.f;     // filter envelope depth
  float filterAttack = 0.005f, filterDecay = 0.3f, filterSustain = 0.f, filterRelease = 0.3f;
  float lfoHz = 0.f;
  float lfoOctaves = 0.f;     // LFO depth on the cutoff
  float vibratoCents = 0.f;   // LFO depth on the pitch
  float drive = 1.f;          // soft saturation before the filter, 1 (clean) .. 8
  float gain = 1.f;
};

struct Voice {
  static constexpr int kMaxUnison = 7;
  static constexpr int kControlInterval = 16;  // samples between cutoff updates

  void Init(float sampleRate, const Patch* patch, uint32_t seed);
  // pitch as a MIDI note number (69 = 440 Hz); brightness shifts the cutoff in octaves.
  void NoteOn(float pitch, float velocity, float brightness);
  void NoteOff();
  bool Active() const { return amp_.Active(); }
  // Adds this voice's stereo output.
  void Process(float& left, float& right);

  const Patch* patch_ = nullptr;
  float sampleRate_ = 44100.f;
  float pitch_ = 60.f;
  float velocity_ = 0.f;
  float brightness_ = 0.f;
  float baseHz_ = 261.63f;
  float lfoPhase_ = 0.f;
  int controlCountdown_ = 0;
  int unison_ = 1;
  std::array<Oscillator, kMaxUnison> oscillators_{};
  std::array<float, kMaxUnison> detuneRatio_{};
  std::array<float, kMaxUnison> panLeft_{};
  std::array<float, kMaxUnison> panRight_{};
  Oscillator sub_;
  Noise noise_;
  Envelope amp_;
  Envelope filterEnv_;
  StateVariableFilter filterL_;
  StateVariableFilter filterR_;
};

float MidiToHz(float pitch);

}  // namespace synth
