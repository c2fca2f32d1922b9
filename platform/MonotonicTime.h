// The monotonic high-resolution clock the music clocks interpolate with.
#pragma once
#include <chrono>

inline double MonotonicSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
