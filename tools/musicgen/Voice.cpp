#include "tools/musicgen/Voice.h"

#include <algorithm>
#include <cmath>

namespace synth {
namespace {

constexpr float kTwoPi = 6.28318530717958647f;

float Finite(float value, float fallback) { return std::isfinite(value) ? value : fallback; }

}  // namespace

float MidiToHz(float pitch) { return 440.f * std::exp2((pitch - 69.f) / 12.f); }

void Voice::Init(float sampleRate, const Patch* patch, uint32_t seed) {
  static const Patch kDefault{};
  patch_ = patch ? patch : &kDefault;
  sampleRate_ = std::clamp(sampleRate, 8000.f, 192000.f);
  const Patch& p = *patch_;
  unison_ = std::clamp(p.unison, 1, kMaxUnison);
  noise_.Init(seed * 2654435761u + 1u);
  const float spread = std::clamp(Finite(p.stereoSpread, 0.f), 0.f, 1.f);
  const float detune = std::clamp(Finite(p.detuneCents, 0.f), 0.f, 200.f);
  for (int i = 0; i < unison_; ++i) {
    const float position = unison_ == 1 ? 0.f : 2.f * i / (unison_ - 1) - 1.f;  // -1..1
    detuneRatio_[i] = std::exp2(0.5f * position * detune / 1200.f);
    const float pan = 0.5f + 0.5f * position * spread;  // 0 left .. 1 right
    // Equal-power pan, normalised so that the unison sums to about one oscillator's loudness.
    const float norm = 1.f / std::sqrt(static_cast<float>(unison_));
    panLeft_[i] = std::cos(0.5f * 3.14159265f * pan) * 1.41421356f * norm;
    panRight_[i] = std::sin(0.5f * 3.14159265f * pan) * 1.41421356f * norm;
    oscillators_[i].Init(sampleRate_);
    oscillators_[i].SetWaveform(p.waveform);
    oscillators_[i].SetPulseWidth(p.pulseWidth);
    // Free-running phases, different per oscillator but the same in every run.
    oscillators_[i].SetPhase(0.5f * (noise_.Process() + 1.f));
  }
  sub_.Init(sampleRate_);
  sub_.SetWaveform(Waveform::sine);
  amp_.Init(sampleRate_);
  amp_.SetAttack(p.attack);
  amp_.SetDecay(p.decay);
  amp_.SetSustain(p.sustain);
  amp_.SetRelease(p.release);
  filterEnv_.Init(sampleRate_);
  filterEnv_.SetAttack(p.filterAttack);
  filterEnv_.SetDecay(p.filterDecay);
  filterEnv_.SetSustain(p.filterSustain);
  filterEnv_.SetRelease(p.filterRelease);
  filterL_.Init(sampleRate_);
  filterR_.Init(sampleRate_);
  filterL_.SetResonance(p.resonance);
  filterR_.SetResonance(p.resonance);
  lfoPhase_ = 0.f;
  controlCountdown_ = 0;
}

void Voice::NoteOn(float pitch, float velocity, float brightness) {
  pitch_ = std::clamp(Finite(pitch, 60.f), 0.f, 127.f);
  velocity_ = std::clamp(Finite(velocity, 0.f), 0.f, 1.f);
  brightness_ = std::clamp(Finite(brightness, 0.f), -8.f, 8.f);
  baseHz_ = MidiToHz(pitch_);
  if (!amp_.Active()) {
    filterL_.Reset();
    filterR_.Reset();
  }
  amp_.Gate(true);
  filterEnv_.Gate(true);
  controlCountdown_ = 0;
}

void Voice::NoteOff() {
  amp_.Gate(false);
  filterEnv_.Gate(false);
}

void Voice::Process(float& left, float& right) {
  if (!amp_.Active()) return;
  const Patch& p = *patch_;
  const float filterLevel = filterEnv_.Process();
  if (controlCountdown_-- <= 0) {
    controlCountdown_ = kControlInterval - 1;
    const float lfo = std::sin(kTwoPi * lfoPhase_);
    const float hz = baseHz_ * std::exp2(lfo * Finite(p.vibratoCents, 0.f) / 1200.f);
    for (int i = 0; i < unison_; ++i) oscillators_[i].SetFrequency(hz * detuneRatio_[i]);
    sub_.SetFrequency(0.5f * hz);
    const float octaves = p.keyTrack * (pitch_ - 60.f) / 12.f + p.envOctaves * filterLevel +
                          p.lfoOctaves * lfo + brightness_;
    const float cutoff = p.cutoffHz * std::exp2(std::clamp(octaves, -10.f, 10.f));
    filterL_.SetCutoff(cutoff);
    filterR_.SetCutoff(cutoff);
  }
  lfoPhase_ += std::clamp(Finite(p.lfoHz, 0.f), 0.f, 40.f) / sampleRate_;
  if (lfoPhase_ >= 1.f) lfoPhase_ -= 1.f;

  float l = 0.f;
  float r = 0.f;
  for (int i = 0; i < unison_; ++i) {
    const float s = oscillators_[i].Process();
    l += s * panLeft_[i];
    r += s * panRight_[i];
  }
  l *= p.oscLevel;
  r *= p.oscLevel;
  const float common = sub_.Process() * p.subLevel + noise_.Process() * p.noiseLevel;
  l += common;
  r += common;
  const float drive = std::clamp(Finite(p.drive, 1.f), 1.f, 8.f);
  if (drive > 1.f) {
    const float norm = 1.f / std::tanh(drive);
    l = std::tanh(drive * l) * norm;
    r = std::tanh(drive * r) * norm;
  }
  const auto fl = filterL_.Process(l);
  const auto fr = filterR_.Process(r);
  float outL = fl.low;
  float outR = fr.low;
  if (p.filterMode == FilterMode::band) {
    outL = fl.band;
    outR = fr.band;
  } else if (p.filterMode == FilterMode::high) {
    outL = fl.high;
    outR = fr.high;
  }
  const float level = amp_.Process() * velocity_ * p.gain;
  left += outL * level;
  right += outR * level;
}

}  // namespace synth
