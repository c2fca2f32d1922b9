// The totem scene: its objects, and the camera, lasers and blast as pure functions of t.
#pragma once
#include "assets/Point3.h"

constexpr int kTotemLaserCount = 4;
constexpr Point3 kTotemBallCentre = {0, 1, 0};
constexpr float kTotemLaserStart = 109;  // lasers while 109 < t < 115
constexpr float kTotemBlastStart = 115;  // shaking camera and blast sphere once t > 115

// Pyramid sides (no base), apex (0, 3, 0), base corners (+-1, -1, +-1).
void DrawPyramid();
// Pyramid in texture box, four leaning spheres in texture ball; enables GL_TEXTURE_2D.
void DrawTotem();
// The 60 x 60 quad at y = -1, texture repeated ten times each way (sent as small tiles).
void DrawGround();

struct TotemCamera {
  bool applied;  // false only at exactly 115 s, where the camera stays at the identity
  Point3 eye;
  Point3 centre;
};
// Circles at radius 10 and 1 rad/s while rising from height 3; the aim shakes once t > 115.
TotemCamera TotemCameraAt(float t);

struct TotemLaser {
  Point3 farEnd;  // on one of the totems, stepping between five heights
  float alpha;    // unclamped; the colour pipeline clamps it to 0..1
};
// Beam 0 to 3 toward the totems at z = -6, z = 6, x = 6, x = -6; band6 dims every beam.
TotemLaser TotemLaserAt(int beam, float t, float band6);
// trunc(2.8 wave) - 0.1: -2.1, -1.1, -0.1, 0.9 or 1.9 for a wave in -1..1.
float LaserFarEndHeight(double wave);

// Radius of the translucent sphere swelling from the centre after 115 s.
float BlastRadius(float t);
