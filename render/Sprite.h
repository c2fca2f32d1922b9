// Camera-facing textured squares.
#pragma once
#include "assets/Point3.h"

// Leaves the current texture coordinate at (0, 1), its last corner's.
void DrawSprite(Point3 position, float size);

// What the current state lets an additively blended sprite skip, as it would add nothing: the
// eye distance beyond which linear black fog turns its colour to exactly 0 (with a margin for
// the interpolated fog coordinate; 0 for none), and whether the projection is a perspective
// one, which clips everything behind the eye.
struct AdditiveSpriteCull {
  float fogDistance = 0;
  bool perspective = false;
};
AdditiveSpriteCull CurrentAdditiveSpriteCull();
// True when the sprite lies wholly beyond the fog distance or wholly behind the eye, under the
// column-major modelview matrix.
bool SpriteAddsNothing(const float* modelview, Point3 position, float size, const AdditiveSpriteCull& cull);
