// Bilinear subdivision of one textured quad into a grid of quads.
#include "scenes/TiledQuad.h"

#include "platform/Gl.h"

namespace {
// (u, v) = (0, 0) at corner 0, (1, 0) at corner 1, (1, 1) at corner 2, (0, 1) at corner 3.
void EmitPoint(const QuadCorner c[4], float u, float v) {
  const float w0 = (1 - u) * (1 - v), w1 = u * (1 - v), w2 = u * v, w3 = (1 - u) * v;
  glTexCoord2f(w0 * c[0].s + w1 * c[1].s + w2 * c[2].s + w3 * c[3].s,
               w0 * c[0].t + w1 * c[1].t + w2 * c[2].t + w3 * c[3].t);
  glVertex3f(w0 * c[0].x + w1 * c[1].x + w2 * c[2].x + w3 * c[3].x,
             w0 * c[0].y + w1 * c[1].y + w2 * c[2].y + w3 * c[3].y,
             w0 * c[0].z + w1 * c[1].z + w2 * c[2].z + w3 * c[3].z);
}
}  // namespace

void DrawTiledQuad(const QuadCorner corners[4], int tiles) {
  const float step = 1.0f / static_cast<float>(tiles);
  glBegin(GL_QUADS);
  for (int row = 0; row < tiles; ++row)
    for (int column = 0; column < tiles; ++column) {
      const float u0 = column * step, u1 = (column + 1) * step;
      const float v0 = row * step, v1 = (row + 1) * step;
      EmitPoint(corners, u0, v0);
      EmitPoint(corners, u1, v0);
      EmitPoint(corners, u1, v1);
      EmitPoint(corners, u0, v1);
    }
  glEnd();
}
