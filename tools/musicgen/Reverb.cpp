// Line lengths are Freeverb's, tuned at 44.1 kHz and scaled to the sample rate.
#include "tools/musicgen/Reverb.h"

#include <algorithm>
#include <cmath>

namespace synth {
namespace {

constexpr int kCombTuning[Reverb::kCombs] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr int kAllpassTuning[Reverb::kAllpasses] = {556, 441, 341, 225};
constexpr int kStereoSpread = 23;
constexpr float kInputGain = 0.015f;
constexpr float kAllpassFeedback = 0.5f;

int Scaled(int length, float sampleRate, int limit) {
  return std::clamp(static_cast<int>(std::lround(length * sampleRate / 44100.f)), 1, limit);
}

float ProcessComb(Reverb::Comb& comb, float in, float feedback, float damp) {
  const float out = comb.buffer[comb.index];
  comb.store = out * (1.f - damp) + comb.store * damp;
  comb.buffer[comb.index] = in + comb.store * feedback;
  if (++comb.index >= comb.length) comb.index = 0;
  return out;
}

float ProcessAllpass(Reverb::Allpass& allpass, float in) {
  const float delayed = allpass.buffer[allpass.index];
  allpass.buffer[allpass.index] = in + delayed * kAllpassFeedback;
  if (++allpass.index >= allpass.length) allpass.index = 0;
  return delayed - in;
}

}  // namespace

void Reverb::Init(float sampleRate) {
  sampleRate = std::clamp(sampleRate, 8000.f, 96000.f);
  for (int i = 0; i < kCombs; ++i) {
    combL_[i] = Comb{};
    combR_[i] = Comb{};
    combL_[i].length = Scaled(kCombTuning[i], sampleRate, kMaxComb);
    combR_[i].length = Scaled(kCombTuning[i] + kStereoSpread, sampleRate, kMaxComb);
  }
  for (int i = 0; i < kAllpasses; ++i) {
    allpassL_[i] = Allpass{};
    allpassR_[i] = Allpass{};
    allpassL_[i].length = Scaled(kAllpassTuning[i], sampleRate, kMaxAllpass);
    allpassR_[i].length = Scaled(kAllpassTuning[i] + kStereoSpread, sampleRate, kMaxAllpass);
  }
  SetRoomSize(0.5f);
  SetDamping(0.5f);
  SetWidth(1.f);
}

void Reverb::SetRoomSize(float size) {
  size = std::clamp(std::isfinite(size) ? size : 0.5f, 0.f, 1.f);
  feedback_ = 0.7f + 0.28f * size;
}

void Reverb::SetDamping(float damping) {
  damp_ = 0.4f * std::clamp(std::isfinite(damping) ? damping : 0.5f, 0.f, 1.f);
}

void Reverb::SetWidth(float width) {
  width_ = std::clamp(std::isfinite(width) ? width : 1.f, 0.f, 1.f);
}

void Reverb::Process(float inL, float inR, float& outL, float& outR) {
  const float in = (inL + inR) * kInputGain;
  float left = 0.f;
  float right = 0.f;
  for (int i = 0; i < kCombs; ++i) {
    left += ProcessComb(combL_[i], in, feedback_, damp_);
    right += ProcessComb(combR_[i], in, feedback_, damp_);
  }
  for (int i = 0; i < kAllpasses; ++i) {
    left = ProcessAllpass(allpassL_[i], left);
    right = ProcessAllpass(allpassR_[i], right);
  }
  const float direct = 0.5f * (1.f + width_);
  const float cross = 0.5f * (1.f - width_);
  outL = left * direct + right * cross;
  outR = right * direct + left * cross;
}

}  // namespace synth
