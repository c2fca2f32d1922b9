// The opening scene's camera and bubble cloud, as pure functions the drawing uses.
#pragma once
#include "assets/Point3.h"

constexpr int kPlanetBubbleCount = 100;     // the first entries of cloudPoints
constexpr float kPlanetBubbleSize = 0.22f;  // sprite half-extent
constexpr float kPlanetRadius = 1.5f;
constexpr float kPlanetStarBoxScale = 30;   // half-size of the star backdrop

// The eye circles the vertical axis through (0, 0, 4.8) at radius 8.5, 0.1 rad/s, aimed at the
// origin: off-centre, so the planet swings between 3.7 and 13.3 units away.
Point3 PlanetEye(float t);
