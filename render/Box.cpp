// The textured cube: six quads, each face wound counter-clockwise as seen from outside.
#include "render/Box.h"

#include "platform/Gl.h"

namespace {
struct BoxCorner {
  GLfloat s, t;
  GLfloat x, y, z;
};

constexpr BoxCorner kBoxCorners[24] = {
    {0, 0, -1, -1, 1},  {1, 0, 1, -1, 1},   {1, 1, 1, 1, 1},    {0, 1, -1, 1, 1},     // front
    {1, 0, -1, -1, -1}, {1, 1, -1, 1, -1},  {0, 1, 1, 1, -1},   {0, 0, 1, -1, -1},    // back
    {0, 1, -1, 1, -1},  {0, 0, -1, 1, 1},   {1, 0, 1, 1, 1},    {1, 1, 1, 1, -1},     // top
    {1, 1, -1, -1, -1}, {0, 1, 1, -1, -1},  {0, 0, 1, -1, 1},   {1, 0, -1, -1, 1},    // bottom
    {1, 0, 1, -1, -1},  {1, 1, 1, 1, -1},   {0, 1, 1, 1, 1},    {0, 0, 1, -1, 1},     // right
    {0, 0, -1, -1, -1}, {1, 0, -1, -1, 1},  {1, 1, -1, 1, 1},   {0, 1, -1, 1, -1},    // left
};
}  // namespace

void LeaveBoxTexCoord() { glTexCoord2f(kBoxCorners[23].s, kBoxCorners[23].t); }

void DrawBox() {
  glBegin(GL_QUADS);
  for (const BoxCorner& corner : kBoxCorners) {
    glTexCoord2f(corner.s, corner.t);
    glVertex3f(corner.x, corner.y, corner.z);
  }
  glEnd();
}
