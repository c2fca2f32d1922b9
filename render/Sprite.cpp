// Camera-facing squares: the right and up vectors come from the current modelview matrix.
#include "render/Sprite.h"

#include <cmath>

#include "platform/Gl.h"

// Scratch copy of the modelview matrix, column-major, rewritten on every call.
GLfloat spriteMatrix[16];

void DrawSprite(Point3 position, float size) {
  glGetFloatv(GL_MODELVIEW_MATRIX, spriteMatrix);
  const GLfloat* m = spriteMatrix;
  const Point3 right{m[0] * size, m[4] * size, m[8] * size};
  const Point3 up{m[1] * size, m[5] * size, m[9] * size};
  const Point3& p = position;
  const GLfloat corners[4][3] = {
      {p.x - right.x - up.x, p.y - right.y - up.y, p.z - right.z - up.z},
      {p.x + right.x - up.x, p.y + right.y - up.y, p.z + right.z - up.z},
      {p.x + right.x + up.x, p.y + right.y + up.y, p.z + right.z + up.z},
      {p.x - right.x + up.x, p.y - right.y + up.y, p.z - right.z + up.z},
  };
  glBegin(GL_QUADS);
  glTexCoord2s(0, 0);
  glVertex3fv(corners[0]);
  glTexCoord2s(1, 0);
  glVertex3fv(corners[1]);
  glTexCoord2s(1, 1);
  glVertex3fv(corners[2]);
  glTexCoord2s(0, 1);
  glVertex3fv(corners[3]);
  glEnd();
}

AdditiveSpriteCull CurrentAdditiveSpriteCull() {
  AdditiveSpriteCull cull;
  GLfloat projection[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  cull.perspective = projection[3] == 0 && projection[7] == 0 && projection[11] == -1 && projection[15] == 0;
  if (!glIsEnabled(GL_FOG)) return cull;
  GLint mode = 0, source = 0;
  GLfloat colour[4], end = 0;
  glGetIntegerv(GL_FOG_MODE, &mode);
  glGetIntegerv(GL_FOG_COORD_SRC, &source);
  glGetFloatv(GL_FOG_COLOR, colour);
  glGetFloatv(GL_FOG_END, &end);
  const bool black = colour[0] == 0 && colour[1] == 0 && colour[2] == 0;
  constexpr float kMargin = 1;  // units; the fog factor is already below 0 well within it
  if (mode == GL_LINEAR && source == GL_FRAGMENT_DEPTH && black) cull.fogDistance = end + kMargin;
  return cull;
}

bool SpriteAddsNothing(const float* m, Point3 p, float size, const AdditiveSpriteCull& cull) {
  // The eye z of the centre, and how far the right and up offsets move it; the eye looks down -z.
  const double centre = double{m[2]} * p.x + double{m[6]} * p.y + double{m[10]} * p.z + m[14];
  const double right = (double{m[2]} * m[0] + double{m[6]} * m[4] + double{m[10]} * m[8]) * size;
  const double up = (double{m[2]} * m[1] + double{m[6]} * m[5] + double{m[10]} * m[9]) * size;
  const double spread = std::abs(right) + std::abs(up);
  constexpr double kBehindMargin = 1e-3;
  const bool fogged = cull.fogDistance > 0 && centre + spread < -cull.fogDistance;
  const bool behind = cull.perspective && centre - spread > kBehindMargin;
  return fogged || behind;
}
