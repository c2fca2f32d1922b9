// Camera-facing squares: the right and up vectors come from the current modelview matrix.
#include "render/Sprite.h"

#include "render/Gl.h"

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
