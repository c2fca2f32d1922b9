// The dolphin scene's camera and the dolphins' placements, as pure functions the drawing uses.
#pragma once
#include "assets/Point3.h"

constexpr int kDolphinCount = 3;
constexpr float kDolphinFloorY = -1.5f;
constexpr float kDolphinCeilingY = 2;

// The z of the scene's four key paths at demo time t (each eased, held at its end keys).
struct DolphinPathOffsets {
  float entry;        // E: all three glide in from -20 to 0 between 61 and 66 s
  float dart;         // D: the first dolphin drifts back, then darts off (from 96.5 s)
  float leaveSecond;  // L2: 0 to 40 from 94.5 s
  float leaveThird;   // L3: 0 to 40 from 92.5 s
};
DolphinPathOffsets DolphinPathsAt(float t);

struct DolphinPose {
  Point3 position;
  float rollDegrees;  // about z
  float scale;        // uniform
};
// Dolphin 0 swims in the middle, 1 on the +z side, 2 on the -z side.
DolphinPose DolphinPoseAt(int dolphin, float t);

// Yaw of the swaying camera about y, degrees: 55 to 125 with a period of 10 pi seconds.
float DolphinCameraYaw(float t);
