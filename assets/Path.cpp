// Cosine-eased keyframe paths. Keys are approached and left with zero speed.
#include "assets/Path.h"

#include <climits>
#include <cmath>

namespace {
// Slightly below pi: the eased segment ends a hair short of its last key's point.
constexpr double kEaseHalfTurn = 3.14156535;

// Truncation toward zero; NaN and times beyond the int range (undefined for a plain cast)
// land before the first key or after the last.
int TruncatedTime(float time) {
  if (std::isnan(time)) return INT_MIN;
  if (time >= 2147483648.0f) return INT_MAX;
  if (time <= -2147483648.0f) return INT_MIN;
  return static_cast<int>(time);
}

void CopyPoint(const PathKey& key, float out[3]) {
  out[0] = key.x;
  out[1] = key.y;
  out[2] = key.z;
}
}  // namespace

float* EaseKeys(float out[3], const PathKey& a, const PathKey& b, float f) {
  const float e = static_cast<float>((1.0 - std::cos(f * kEaseHalfTurn)) * 0.5);
  out[0] = (1 - e) * a.x + e * b.x;
  out[1] = (1 - e) * a.y + e * b.y;
  out[2] = (1 - e) * a.z + e * b.z;
  return out;
}

void EvalPathMode(const PathKey* keys, int count, float time, float out[3], int mode) {
  if (count < 1) return;
  if (count == 1) {
    CopyPoint(keys[0], out);
    return;
  }
  const int n = TruncatedTime(time);
  if (n < keys[0].time) {
    CopyPoint(keys[0], out);
    return;
  }
  int i = 0;
  while (i < count && keys[i].time < n) ++i;
  if (i == count) {
    CopyPoint(keys[count - 1], out);
    return;
  }
  if (i == 0) i = 1;
  const int64_t span = int64_t{keys[i].time} - keys[i - 1].time;
  // Two keys at the same time would divide by zero: treat the segment as already complete.
  const float f = span == 0 ? 1.0f : (time - static_cast<float>(keys[i - 1].time)) / static_cast<float>(span);
  if (mode == 0 || mode == 1) EaseKeys(out, keys[i - 1], keys[i], f);
}

void EvalPath(const PathKey* keys, int count, float time, float out[3]) {
  EvalPathMode(keys, count, time, out, 1);
}

float PathZ(const PathKey* keys, int count, float time) {
  float point[3] = {};
  EvalPath(keys, count, time, point);
  return point[2];
}
