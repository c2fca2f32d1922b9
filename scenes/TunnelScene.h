// The tunnel's particle stream, as functions of the demo time in seconds and the point index.
#pragma once
#include "assets/Point3.h"

// Depth offset of the whole particle table: approaches the eye at 3 units per second.
float TunnelParticleOffset(float t);
// Half-size of sprite i, between 0.1 and 0.5; the same in every frame.
float TunnelSpriteHalfSize(int i);
// One frame's sway of point i, applied in place (it accumulates from frame to frame).
void SwayTunnelPoint(Point3& point, int i, float t);
