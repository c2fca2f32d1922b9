// Seeking from the demo time the previous frame computed.
#include "director/Seek.h"

#include <cmath>
#include <limits>

#include "director/DemoState.h"
#include "director/Music.h"

int SeekTarget(float demoTime, float offsetMs) {
  const float target = demoTime * 1000 + offsetMs;
  if (std::isnan(target)) return 0;
  if (target >= 2147483648.0f) return std::numeric_limits<int>::max();
  if (target < -2147483648.0f) return std::numeric_limits<int>::min();
  return static_cast<int>(target);
}

// DemoClock changes only when a frame is drawn, so every seek of one frame starts from it.
void SeekMusic(float offsetMs) { MusicSetTime(SeekTarget(DemoClock, offsetMs)); }
