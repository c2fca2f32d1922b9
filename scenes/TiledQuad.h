// A large textured quad sent as a grid of small quads, for fogged floors and ceilings.
#pragma once

struct QuadCorner {
  float s, t;     // texture coordinate
  float x, y, z;  // position
};

// Draws the quad through corners[0..3] (in that winding) as tiles x tiles quads, interpolating
// positions and texture coordinates bilinearly, so the picture is that of the single quad.
// Fog is computed per vertex on common drivers: on one big quad whose corners all lie beyond
// the fog end the whole quad turns black, while small tiles fade with distance as they should.
void DrawTiledQuad(const QuadCorner corners[4], int tiles);
