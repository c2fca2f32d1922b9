// Scene: an environment-mapped model floating in a tall square shaft whose striped walls scroll.
#include "scenes/ShaftScene.h"

#include <cmath>

#include "director/DemoState.h"
#include "render/Gl.h"
#include "scenes/Scenes.h"

namespace {
// The wall texture repeats this many times over the shaft's height of 100 units.
constexpr float kWallRepeats = 5;

struct WallCorner {
  GLfloat s;
  bool upper;  // upper corners take v + kWallRepeats
  GLfloat x, y, z;
};

// Four walls 20 units apart and 100 tall; no top and no bottom.
constexpr WallCorner kWallCorners[16] = {
    {0, false, -10, -50, 10},  {1, false, 10, -50, 10},   {1, true, 10, 50, 10},    {0, true, -10, 50, 10},
    {1, false, -10, -50, -10}, {1, true, -10, 50, -10},   {0, true, 10, 50, -10},   {0, false, 10, -50, -10},
    {1, false, 10, -50, -10},  {1, true, 10, 50, -10},    {0, true, 10, 50, 10},    {0, false, 10, -50, 10},
    {0, false, -10, -50, -10}, {1, false, -10, -50, 10},  {1, true, -10, 50, 10},   {0, true, -10, 50, -10},
};

void DrawShaftWalls(float scroll) {
  const GLfloat upperScroll = scroll + kWallRepeats;
  glBegin(GL_QUADS);
  for (const WallCorner& corner : kWallCorners) {
    glTexCoord2f(corner.s, corner.upper ? upperScroll : scroll);
    glVertex3f(corner.x, corner.y, corner.z);
  }
  glEnd();
}
}  // namespace

Point3 ShaftEye(float t) {
  return {static_cast<float>(10 * std::sin(0.5 * t)), static_cast<float>(20 * std::cos(0.25 * t)),
          static_cast<float>(10 * std::cos(0.5 * t))};
}

float ShaftWallScroll(float t) { return 4 * t; }

void DrawShaftScene() {
  const float t = DemoClock;
  glLoadIdentity();
  glEnable(GL_FOG);
  glFogf(GL_FOG_START, 0);
  glFogf(GL_FOG_END, 50);
  const Point3 eye = ShaftEye(t);
  gluLookAt(eye.x, eye.y, eye.z, 0, 0, 0, 0, 1, 0);

  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::stripes3));
  DrawShaftWalls(ShaftWallScroll(t));

  glPushMatrix();
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::envifoo));
  DrawModel(models.deformed2);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glPopMatrix();

  glDisable(GL_FOG);
}
