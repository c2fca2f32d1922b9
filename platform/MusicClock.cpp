// Millisecond and sample conversions shared by the clocks.
#include "platform/MusicClock.h"

#include <cmath>
#include <limits>

int64_t SampleForMs(int ms) {
  if (ms <= 0) return 0;
  // 44.1 samples per ms, rounded half up, in integers so no ms value is misrounded.
  return (static_cast<int64_t>(ms) * 441 + 5) / 10;
}

int MsForSample(double sample) {
  // The half-sample bias makes round(ms x 44.1) map back to ms itself rather than ms - 1.
  const double ms = std::floor((sample + 0.5) / 44.1);
  // A clock seeked near the end of the int range runs on past it: it stands there instead.
  if (!(ms < static_cast<double>(std::numeric_limits<int>::max()))) return std::numeric_limits<int>::max();
  if (ms < 0) return 0;
  return static_cast<int>(ms);
}
