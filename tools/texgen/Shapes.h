// Anti-aliased shapes painted into coverage planes. Coordinates are in pixels (pixel centres at
// +0.5); painting wraps around the plane's edges, so shapes crossing an edge keep tiling.
// Each shape keeps the larger of the old coverage and its own.
#pragma once
#include "tools/texgen/Canvas.h"

// A line segment with round ends, radius in pixels.
void PaintCapsule(Plane& plane, float ax, float ay, float bx, float by, float radius, float value = 1);
void PaintDisc(Plane& plane, float cx, float cy, float radius, float value = 1);
void PaintRing(Plane& plane, float cx, float cy, float radius, float halfWidth, float value = 1);
// Axis-aligned rectangle from (x0, y0) to (x1, y1) with corners rounded by `round` pixels.
void PaintRect(Plane& plane, float x0, float y0, float x1, float y1, float round, float value = 1);
