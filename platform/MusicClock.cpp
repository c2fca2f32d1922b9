// Millisecond and sample conversions shared by the clocks.
#include "platform/MusicClock.h"

#include <cmath>

int64_t SampleForMs(int ms) {
  if (ms <= 0) return 0;
  // 44.1 samples per ms, rounded half up, in integers so no ms value is misrounded.
  return (static_cast<int64_t>(ms) * 441 + 5) / 10;
}

int MsForSample(double sample) {
  // The half-sample bias makes round(ms x 44.1) map back to ms itself rather than ms - 1.
  return static_cast<int>(std::floor((sample + 0.5) / 44.1));
}
