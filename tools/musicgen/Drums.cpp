#include "tools/musicgen/Drums.h"

#include <algorithm>
#include <cmath>

namespace synth {
namespace {

constexpr float kTwoPi = 6.28318530717958647f;

float Finite(float value, float fallback) { return std::isfinite(value) ? value : fallback; }

float SixtyDb(float seconds, float sampleRate) {
  seconds = std::clamp(Finite(seconds, 0.1f), 0.001f, 30.f);
  return std::exp(std::log(0.001f) / (seconds * sampleRate));
}

float TimeConstant(float seconds, float sampleRate) {
  seconds = std::clamp(Finite(seconds, 0.05f), 0.0005f, 5.f);
  return std::exp(-1.f / (seconds * sampleRate));
}

float Velocity(float v) { return std::clamp(Finite(v, 0.f), 0.f, 1.f); }

}  // namespace

void Kick::Init(float sampleRate) {
  sampleRate_ = std::clamp(sampleRate, 8000.f, 192000.f);
  noise_.Init(0x4B1C4u);
  clickFilter_.Init(sampleRate_);
  clickFilter_.SetCutoff(3000.f);
  clickFilter_.SetResonance(0.7f);
  clickCoef_ = TimeConstant(0.0015f, sampleRate_);
  SetPitch(300.f, 50.f, 0.04f);
  SetDecay(0.4f);
  SetClick(0.3f);
  SetDrive(1.f);
  amplitude_ = sweep_ = clickLevel_ = phase_ = 0.f;
}

void Kick::SetPitch(float startHz, float endHz, float sweepSeconds) {
  endHz_ = std::clamp(Finite(endHz, 50.f), 20.f, 400.f);
  startHz_ = std::clamp(Finite(startHz, 300.f), endHz_, 2000.f);
  sweepCoef_ = TimeConstant(sweepSeconds, sampleRate_);
}

void Kick::SetDecay(float seconds) { decayCoef_ = SixtyDb(seconds, sampleRate_); }
void Kick::SetClick(float amount) { click_ = std::clamp(Finite(amount, 0.f), 0.f, 1.f); }
void Kick::SetDrive(float drive) { drive_ = std::clamp(Finite(drive, 1.f), 1.f, 8.f); }

void Kick::Trigger(float velocity) {
  amplitude_ = Velocity(velocity);
  clickLevel_ = amplitude_ * click_;
  sweep_ = 1.f;
  phase_ = 0.f;
}

float Kick::Frequency() const { return endHz_ + (startHz_ - endHz_) * sweep_; }

float Kick::Process() {
  if (amplitude_ < 1e-5f && clickLevel_ < 1e-5f) return 0.f;
  phase_ += Frequency() / sampleRate_;
  phase_ -= std::floor(phase_);
  sweep_ *= sweepCoef_;
  float body = std::sin(kTwoPi * phase_) * amplitude_;
  if (drive_ > 1.f) body = std::tanh(drive_ * body) / std::tanh(drive_);
  amplitude_ *= decayCoef_;
  const float click = clickFilter_.Process(noise_.Process()).band * clickLevel_;
  clickLevel_ *= clickCoef_;
  return body + click;
}

void Snare::Init(float sampleRate) {
  sampleRate_ = std::clamp(sampleRate, 8000.f, 192000.f);
  noise_.Init(0x5A4E3u);
  noiseFilter_.Init(sampleRate_);
  noiseFilter_.SetResonance(0.6f);
  sweepCoef_ = TimeConstant(0.012f, sampleRate_);
  SetTone(190.f, 0.12f);
  SetNoise(0.8f, 0.22f, 1800.f);
  toneAmp_ = noiseAmp_ = sweep_ = phaseA_ = phaseB_ = 0.f;
}

void Snare::SetTone(float hz, float toneDecay) {
  toneHz_ = std::clamp(Finite(hz, 190.f), 60.f, 1000.f);
  toneCoef_ = SixtyDb(toneDecay, sampleRate_);
}

void Snare::SetNoise(float level, float noiseDecay, float brightnessHz) {
  noiseLevel_ = std::clamp(Finite(level, 0.8f), 0.f, 1.f);
  noiseCoef_ = SixtyDb(noiseDecay, sampleRate_);
  noiseFilter_.SetCutoff(brightnessHz);
}

void Snare::Trigger(float velocity) {
  toneAmp_ = Velocity(velocity);
  noiseAmp_ = toneAmp_ * noiseLevel_;
  sweep_ = 1.f;
}

float Snare::Process() {
  if (toneAmp_ < 1e-5f && noiseAmp_ < 1e-5f) return 0.f;
  // Two modes of the shell, a fifth-ish apart, both bending down a little after the hit.
  const float bend = 1.f + 0.5f * sweep_;
  sweep_ *= sweepCoef_;
  phaseA_ += toneHz_ * bend / sampleRate_;
  phaseB_ += toneHz_ * 1.58f * bend / sampleRate_;
  phaseA_ -= std::floor(phaseA_);
  phaseB_ -= std::floor(phaseB_);
  const float tone = (std::sin(kTwoPi * phaseA_) + 0.5f * std::sin(kTwoPi * phaseB_)) * toneAmp_;
  const float noise = noiseFilter_.Process(noise_.Process()).high * noiseAmp_;
  toneAmp_ *= toneCoef_;
  noiseAmp_ *= noiseCoef_;
  return 0.6f * tone + noise;
}

void Hat::Init(float sampleRate, unsigned seed) {
  sampleRate_ = std::clamp(sampleRate, 8000.f, 192000.f);
  noise_.Init(seed);
  highPass_.Init(sampleRate_);
  highPass_.SetResonance(0.7f);
  presence_.Init(sampleRate_);
  presence_.SetCutoff(10000.f);
  presence_.SetResonance(1.2f);
  chokeCoef_ = SixtyDb(0.02f, sampleRate_);
  SetTone(7000.f, 0.06f);
  amplitude_ = 0.f;
  choked_ = false;
}

void Hat::SetTone(float highPassHz, float decay) {
  highPass_.SetCutoff(highPassHz);
  decayCoef_ = SixtyDb(decay, sampleRate_);
}

void Hat::Trigger(float velocity) {
  amplitude_ = Velocity(velocity);
  choked_ = false;
}

void Hat::Choke() { choked_ = true; }

float Hat::Process() {
  if (amplitude_ < 1e-5f) return 0.f;
  const float n = highPass_.Process(noise_.Process()).high;
  const float out = (n + 0.5f * presence_.Process(n).band) * amplitude_;
  amplitude_ *= choked_ ? chokeCoef_ : decayCoef_;
  return out;
}

}  // namespace synth
