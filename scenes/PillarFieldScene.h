// The pillar field's camera, pillar heights and rising sphere, as pure functions the drawing uses.
#pragma once
#include "assets/Point3.h"

constexpr int kPillarFieldFirst = -10;  // pillar indices run from -10 to 9 on both axes
constexpr int kPillarFieldLast = 9;
constexpr int kPillarFieldSide = kPillarFieldLast - kPillarFieldFirst + 1;
constexpr float kFieldPillarSpacing = 2.5f;
constexpr Point3 kPillarFieldAim = {0, 10, 0};

// Circles the vertical axis at radius 20 and height 25, once every 4 pi seconds.
Point3 PillarFieldEye(float t);
// Vertical scale of the pillar (i, j): a fixed wave pattern, negative where the box is mirrored.
float PillarHeight(int i, int j);
// Height of the sphere's centre: up 2.5 units per second, 6 at 86 s.
float RisingSphereHeight(float t);
