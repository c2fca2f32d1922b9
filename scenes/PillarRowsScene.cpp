// Scene: two rows of blue-edged pillars sliding past a hovering dolphin or a spinning sphere.
#include "scenes/PillarRowsScene.h"

#include <cmath>

#include "assets/Path.h"
#include "director/DemoState.h"
#include "platform/Gl.h"
#include "scenes/PillarGrid.h"
#include "scenes/Scenes.h"

namespace {
constexpr float kRowZ[2] = {-3, 3};
constexpr float kRowPillarSpacing = 8;
constexpr int kPillarsPerRow = 80;
constexpr float kPillarHalfHeight = 4;
constexpr float kDolphinScale = 0.06f;

// The row at z = -3 first, then the one at +3, each from x = 0 toward +x before the scroll.
void DrawPillarRows(float scroll) {
  PillarPlace places[2 * kPillarsPerRow];
  int count = 0;
  for (const float z : kRowZ)
    for (int column = 0; column < kPillarsPerRow; ++column)
      places[count++] = {kRowPillarSpacing * static_cast<float>(column) - scroll, z, kPillarHalfHeight};
  DrawPillars(places, count, PillarEdges::wide);
}

void DrawDolphin(float t) {
  glPushMatrix();
  glTranslatef(0, static_cast<float>(std::sin(6.0 * t) / 3), 0);
  glRotatef(180, 0, 1, 0);
  glColor3f(1, 1, 1);
  glScalef(kDolphinScale, kDolphinScale, kDolphinScale);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::metal));
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  DrawModel(models.dolphin);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
}

// The 90-degree turn about x stands the sphere's polar axis upright.
void DrawSphere(float t, float exit) {
  glPushMatrix();
  glColor3f(1, 1, 1);
  glTranslatef(exit, 0, 0);
  glRotatef(90, 1, 0, 0);
  glRotatef(30 * t, 0, 0, 1);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::pcb2));
  gluSphere(sharedQuadric, 1, 32, 32);
  glPopMatrix();
}
}  // namespace

float PillarRowsScroll(float t) {
  const PathKey scrollKeys[2] = {{0, 0, 0, 0}, {0, 0, 640, 5000}};
  return PathZ(scrollKeys, 2, (t - 200) * 100);
}

float PillarRowsExit(float t) {
  const PathKey exitKeys[2] = {{0, 0, 0, 0}, {0, 0, 40, 200}};
  return PathZ(exitKeys, 2, (t - 234) * 100);
}

bool PillarRowsEye(int variant, float t, Point3& eye) {
  const float sway = static_cast<float>(3 * std::sin(0.5 * t));
  switch (variant) {
    case 0: eye = {10, 1, 0}; return true;
    case 1: eye = {-10, 1, 10 - sway}; return true;
    case 2: eye = {10, 1, 10 + sway}; return true;
    case 3: eye = {-10, 1, 0}; return true;
    default: return false;
  }
}

void DrawPillarRowsScene(int variant) {
  const float t = DemoClock;
  const float scroll = PillarRowsScroll(t);
  glLoadIdentity();
  Point3 eye;
  if (PillarRowsEye(variant, t, eye)) gluLookAt(eye.x, eye.y, eye.z, 0, 0, 0, 0, 1, 0);
  // Fog range as the scenes before left it: normally 0..25.
  glEnable(GL_FOG);
  DrawPillarRows(scroll);
  if (variant == 0 || variant == 2) DrawDolphin(t);
  const float exit = PillarRowsExit(t);
  if (variant == 1 || variant == 3) DrawSphere(t, exit);
  glDisable(GL_FOG);
}
