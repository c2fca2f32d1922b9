#include "tools/musicgen/Envelope.h"

#include <algorithm>
#include <cmath>

namespace synth {
namespace {

constexpr float kMinTime = 0.0005f;
constexpr float kMaxTime = 30.f;
constexpr float kSilence = 1e-4f;

float ClampTime(float seconds) {
  return std::clamp(std::isfinite(seconds) ? seconds : kMinTime, kMinTime, kMaxTime);
}

// Per-sample factor that shrinks a distance to 1/1000 in the given time.
float SixtyDbCoefficient(float seconds, float sampleRate) {
  return std::exp(std::log(0.001f) / (ClampTime(seconds) * sampleRate));
}

}  // namespace

void Envelope::Init(float sampleRate) {
  sampleRate_ = std::clamp(sampleRate, 8000.f, 192000.f);
  SetAttack(0.005f);
  SetDecay(0.1f);
  SetSustain(1.f);
  SetRelease(0.1f);
  level_ = 0.f;
  stage_ = Stage::idle;
}

void Envelope::SetAttack(float seconds) { attackStep_ = 1.f / (ClampTime(seconds) * sampleRate_); }
void Envelope::SetDecay(float seconds) { decayCoef_ = SixtyDbCoefficient(seconds, sampleRate_); }
void Envelope::SetRelease(float seconds) { releaseCoef_ = SixtyDbCoefficient(seconds, sampleRate_); }
void Envelope::SetSustain(float level) {
  sustain_ = std::clamp(std::isfinite(level) ? level : 0.f, 0.f, 1.f);
}

void Envelope::Gate(bool on) {
  if (on) {
    stage_ = Stage::attack;
  } else if (stage_ != Stage::idle) {
    stage_ = Stage::release;
  }
}

float Envelope::Process() {
  switch (stage_) {
    case Stage::idle:
      level_ = 0.f;
      break;
    case Stage::attack:
      level_ += attackStep_;
      if (level_ >= 1.f) {
        level_ = 1.f;
        stage_ = Stage::decay;
      }
      break;
    case Stage::decay:
      level_ = sustain_ + (level_ - sustain_) * decayCoef_;
      if (level_ - sustain_ < kSilence) {
        level_ = sustain_;
        stage_ = sustain_ > 0.f ? Stage::sustain : Stage::idle;
      }
      break;
    case Stage::sustain:
      level_ = sustain_;
      break;
    case Stage::release:
      level_ *= releaseCoef_;
      if (level_ < kSilence) {
        level_ = 0.f;
        stage_ = Stage::idle;
      }
      break;
  }
  return level_;
}

}  // namespace synth
