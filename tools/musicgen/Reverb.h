// Freeverb-style stereo reverb: eight damped feedback combs in parallel into four allpasses in
// series per side, the right side's lines slightly longer for width. Output is wet only.
#pragma once
#include <array>

namespace synth {

struct Reverb {
  static constexpr int kCombs = 8;
  static constexpr int kAllpasses = 4;
  // Room for the longest line at 96 kHz.
  static constexpr int kMaxComb = 3600;
  static constexpr int kMaxAllpass = 1300;

  struct Comb {
    std::array<float, kMaxComb> buffer{};
    int length = 1;
    int index = 0;
    float store = 0.f;
  };
  struct Allpass {
    std::array<float, kMaxAllpass> buffer{};
    int length = 1;
    int index = 0;
  };

  void Init(float sampleRate);
  // 0..1: longer tails; damping 0..1: darker tails; width 0..1.
  void SetRoomSize(float size);
  void SetDamping(float damping);
  void SetWidth(float width);
  void Process(float inL, float inR, float& outL, float& outR);

  float feedback_ = 0.84f;
  float damp_ = 0.2f;
  float width_ = 1.f;
  std::array<Comb, kCombs> combL_{};
  std::array<Comb, kCombs> combR_{};
  std::array<Allpass, kAllpasses> allpassL_{};
  std::array<Allpass, kAllpasses> allpassR_{};
};

}  // namespace synth
