// Keyframe paths: cosine-eased evaluation of small key tables in hundredths of a second.
#pragma once
#include <cstdint>

struct PathKey {
  float x, y, z;
  int32_t time;  // hundredths of a second on the caller's clock
};

// Same as EvalPathMode with mode 1.
void EvalPath(const PathKey* keys, int count, float time, float out[3]);
void EvalPathMode(const PathKey* keys, int count, float time, float out[3], int mode);
float* EaseKeys(float out[3], const PathKey& a, const PathKey& b, float f);
// The z of EvalPath: the only coordinate the show's paths move along.
float PathZ(const PathKey* keys, int count, float time);
