// The figure orbit scene's camera, figure brightness and sphere orbit, as pure functions of t.
#pragma once
#include <cstdint>

#include "assets/Point3.h"

constexpr float kFigureOrbitScale = 0.3f;  // applied to everything after the camera
constexpr float kFigureOrbitHeight = 30;   // figure and spheres, in scaled units
constexpr float kFigureOrbitSphereRadius = 6;

// Circles the vertical axis at radius 20 and height 2 once every 2 pi seconds.
Point3 FigureOrbitEye(float t);

// The z of the fade path (F, 0 until 122 s, 255 from 124 s) and the spread path (S, 70 at 114 s
// easing to 0 at 124 s).
struct FigureOrbitPaths {
  float fade;
  float spread;
};
FigureOrbitPaths FigureOrbitPathsAt(float t);
// Grey level of the figure, 0..255: the fade path truncated.
uint8_t FigureBrightness(float t);
// Distance of each sphere from the vertical axis in scaled units: 25 + S.
float SphereOrbitRadius(float t);
