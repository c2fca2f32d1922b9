// Scene: four totems in a ring about a spinning ball, flickering lasers and a swelling blast.
#include "scenes/TotemScene.h"

#include <cmath>

#include "director/DemoState.h"
#include "platform/Gl.h"
#include "render/RenderSize.h"
#include "scenes/Scenes.h"
#include "scenes/TiledQuad.h"

namespace {
constexpr int kGroundTiles = 24;  // 2.5-unit tiles, so the fog fades across the ground
constexpr Point3 kPyramidApex = {0, 3, 0};
constexpr Point3 kPyramidBase[4] = {{-1, -1, 1}, {1, -1, 1}, {1, -1, -1}, {-1, -1, -1}};

struct TotemSphere {
  Point3 centre;
  float radius;
};
// Leaning toward +z, the totem's front.
constexpr TotemSphere kTotemSpheres[4] = {
    {{0, -0.3f, 0.4f}, 0.7f}, {{0, 0.8f, 0.3f}, 0.4f}, {{0, 1.5f, 0.2f}, 0.3f}, {{0, 2, 0.1f}, 0.2f}};

struct TotemPlacement {
  Point3 position;
  float yawDegrees;
};
// Every front faces the ring's centre.
constexpr TotemPlacement kTotemPlacements[4] = {
    {{-6, 0, 0}, 90}, {{6, 0, 0}, -90}, {{0, 0, -6}, 0}, {{0, 0, 6}, 180}};

void Vertex(const Point3& p) { glVertex3f(p.x, p.y, p.z); }

void DrawLasers(float t) {
  glLineWidth(ScreenPixels(5));
  for (int beam = 0; beam < kTotemLaserCount; ++beam) {
    const TotemLaser laser = TotemLaserAt(beam, t, SpectrumBands[6]);
    glPushMatrix();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor4f(1, 0, 0, laser.alpha);
    glBegin(GL_LINES);
    Vertex(laser.farEnd);
    Vertex(kTotemBallCentre);
    glEnd();
    glPopMatrix();
  }
  glLineWidth(ScreenPixels(1));
  glDisable(GL_BLEND);
}

// Also ends the fog: until the blast, fog stays on for the frame's later passes.
void DrawBlast(float t) {
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::explosion));
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glColor4f(1, 1, 1, 0.5f);
  gluSphere(sharedQuadric, BlastRadius(t), 32, 32);
  glDisable(GL_FOG);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glColor4f(1, 1, 1, 1);
}
}  // namespace

void DrawPyramid() {
  glBegin(GL_TRIANGLES);
  for (int side = 0; side < 4; ++side) {
    glTexCoord2f(1, 1);
    Vertex(kPyramidApex);
    glTexCoord2f(1, 0);
    Vertex(kPyramidBase[side]);
    glTexCoord2f(0, 1);
    Vertex(kPyramidBase[(side + 1) % 4]);
  }
  glEnd();
}

void DrawTotem() {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::box));
  glPushMatrix();
  DrawPyramid();
  glPopMatrix();
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::ball));
  for (const TotemSphere& sphere : kTotemSpheres) {
    glPushMatrix();
    glTranslatef(sphere.centre.x, sphere.centre.y, sphere.centre.z);
    gluSphere(sharedQuadric, sphere.radius, 32, 32);
    glPopMatrix();
  }
}

void DrawGround() {
  const QuadCorner corners[4] = {
      {10, 10, -30, -1, -30}, {0, 10, 30, -1, -30}, {0, 0, 30, -1, 30}, {10, 0, -30, -1, 30}};
  DrawTiledQuad(corners, kGroundTiles);
}

TotemCamera TotemCameraAt(float t) {
  const double a = t + 2.0;
  const Point3 eye = {static_cast<float>(10 * std::sin(a)), 0.2f * (t - 103) + 3,
                      static_cast<float>(10 * std::cos(a))};
  if (t < kTotemBlastStart) return {true, eye, {0, 0, 0}};
  if (t > kTotemBlastStart) {
    const double s = t;
    return {true, eye,
            {static_cast<float>(0.25 * std::sin(40 * s)), static_cast<float>(0.25 * std::sin(-40 * s)),
             static_cast<float>(0.5 * std::cos(10 * s))}};
  }
  return {false, {}, {}};
}

float LaserFarEndHeight(double wave) { return static_cast<float>(std::trunc(2.8 * wave) - 0.1); }

TotemLaser TotemLaserAt(int beam, float t, float band6) {
  const double s = t;
  switch (beam) {
    case 0:
      return {{0, LaserFarEndHeight(std::sin(10 * s + 1)), -6}, static_cast<float>(2.6 * std::sin(10 * s) - band6)};
    case 1:
      return {{0, LaserFarEndHeight(std::cos(1.2 - 15 * s)), 6}, static_cast<float>(2.6 * std::cos(15 * s) - band6)};
    case 2:
      return {{6, LaserFarEndHeight(std::sin(2.5 - 12 * s)), 0}, static_cast<float>(2.6 * std::sin(-12 * s) - band6)};
    default:
      return {{-6, LaserFarEndHeight(std::cos(16 * s - 0.6)), 0}, static_cast<float>(2.6 * std::cos(16 * s) - band6)};
  }
}

float BlastRadius(float t) { return 18 * (t - kTotemBlastStart) + 1; }

void DrawTotemScene() {
  const float t = DemoClock;
  glEnable(GL_FOG);
  glLoadIdentity();
  const TotemCamera camera = TotemCameraAt(t);
  if (camera.applied)
    gluLookAt(camera.eye.x, camera.eye.y, camera.eye.z, camera.centre.x, camera.centre.y, camera.centre.z, 0, 1, 0);

  for (const TotemPlacement& totem : kTotemPlacements) {
    glPushMatrix();
    glTranslatef(totem.position.x, totem.position.y, totem.position.z);
    if (totem.yawDegrees != 0) glRotatef(totem.yawDegrees, 0, 1, 0);
    DrawTotem();
    glPopMatrix();
  }

  glPushMatrix();
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::check2));
  DrawGround();
  glPopMatrix();

  glPushMatrix();
  glTranslatef(kTotemBallCentre.x, kTotemBallCentre.y, kTotemBallCentre.z);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::ball));
  glRotatef(20 * t, 0, 1, 1);
  gluSphere(sharedQuadric, 1, 32, 32);
  glPopMatrix();
  glDisable(GL_TEXTURE_2D);

  if (t > kTotemLaserStart && t < kTotemBlastStart) DrawLasers(t);
  if (t > kTotemBlastStart) DrawBlast(t);
}
