// Scene: the figure brightening inside a star box while two reflective spheres close in on it.
#include "scenes/FigureOrbitScene.h"

#include <cmath>

#include "assets/Path.h"
#include "director/DemoState.h"
#include "render/Box.h"
#include "platform/Gl.h"
#include "scenes/Scenes.h"

Point3 FigureOrbitEye(float t) {
  const double s = t;
  return {static_cast<float>(20 * std::sin(s)), 2, static_cast<float>(20 * std::cos(s))};
}

FigureOrbitPaths FigureOrbitPathsAt(float t) {
  const PathKey fade[] = {{0, 0, 0, 0}, {0, 0, 0, 800}, {0, 0, 255, 1000}};
  const PathKey spread[] = {{0, 0, 70, 0}, {0, 0, 0, 1000}};
  const float pathTime = (t - 114) * 100;
  float out[3] = {};
  FigureOrbitPaths paths;
  EvalPath(fade, 3, pathTime, out);
  paths.fade = out[2];
  EvalPath(spread, 2, pathTime, out);
  paths.spread = out[2];
  return paths;
}

uint8_t FigureBrightness(float t) { return static_cast<uint8_t>(FigureOrbitPathsAt(t).fade); }

float SphereOrbitRadius(float t) { return 25 + FigureOrbitPathsAt(t).spread; }

namespace {
void DrawFigure(uint8_t brightness) {
  glPushMatrix();
  glEnable(GL_CULL_FACE);
  glTranslatef(0, kFigureOrbitHeight, 0);
  glRotatef(-90, 1, 0, 0);
  glRotatef(-180, 0, 0, 1);
  glScalef(0.5f, 0.5f, 0.5f);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::envifoo));
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  // Black until 122 s: invisible against the dark box, yet it still hides what lies behind it.
  glColor3ub(brightness, brightness, brightness);
  DrawModel(models.gubbe2);
  glDisable(GL_CULL_FACE);
  glPopMatrix();
  glColor3ub(255, 255, 255);
}

// Two spheres diametrically opposite, turning 200 degrees per second; generation is still on.
void DrawOrbitingSpheres(float t) {
  const float radius = SphereOrbitRadius(t);
  glPushMatrix();
  glTranslatef(0, kFigureOrbitHeight, 0);
  glRotatef(200 * t, 0, 1, 0);
  const float offsets[2] = {-radius, radius};
  for (const float x : offsets) {
    glPushMatrix();
    glTranslatef(x, 0, 0);
    gluSphere(sharedQuadric, kFigureOrbitSphereRadius, 32, 32);
    glPopMatrix();
  }
  glPopMatrix();
}
}  // namespace

void DrawFigureOrbitScene() {
  const float t = DemoClock;
  glLoadIdentity();
  // Before the camera, so the whole picture sits 2 units lower in eye space.
  glTranslatef(0, -2, 0);
  const Point3 eye = FigureOrbitEye(t);
  gluLookAt(eye.x, eye.y, eye.z, 0, 8, 0, 0, 1, 0);
  glEnable(GL_TEXTURE_2D);
  glScalef(kFigureOrbitScale, kFigureOrbitScale, kFigureOrbitScale);

  glPushMatrix();
  glScalef(85, 85, 85);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::stars));
  DrawBox();
  glPopMatrix();

  DrawFigure(FigureBrightness(t));
  DrawOrbitingSpheres(t);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
}
