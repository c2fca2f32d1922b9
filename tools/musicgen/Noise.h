// White noise from a 32-bit xorshift generator: the same seed gives the same noise in every run.
#pragma once
#include <cstdint>

namespace synth {

struct Noise {
  void Init(uint32_t seed) { state_ = seed ? seed : 0x9E3779B9u; }
  // Uniform in -1..1.
  float Process() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(static_cast<int32_t>(state_)) * (1.f / 2147483648.f);
  }

  uint32_t state_ = 0x9E3779B9u;
};

}  // namespace synth
