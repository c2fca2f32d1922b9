#include "render/glow/RectQuad.h"

#include "platform/Gl.h"

void DrawRectQuad(int w, int h, int x0, int y0) {
  for (const auto& corner : kRectQuadCorners) {
    glTexCoord2i(x0 + corner[0] * w, y0 + (1 - corner[1]) * h);
    glVertex3i(corner[0], corner[1], -1);
  }
}
