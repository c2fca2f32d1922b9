// Scene: the closing pillar plaza under a sinking reflective sphere, its spectrum-lit shell and
// two circling satellites.
#include "scenes/FinaleScene.h"

#include <cmath>

#include "assets/Path.h"
#include "director/DemoState.h"
#include "director/ShowLook.h"
#include "platform/Gl.h"
#include "scenes/PillarGrid.h"
#include "scenes/Scenes.h"

namespace {
constexpr int kBandOfShell = 6;
constexpr int kPlazaFirst = -10;
constexpr int kPlazaLast = 9;
constexpr int kPlazaSide = kPlazaLast - kPlazaFirst + 1;
constexpr float kPlazaPillarSpacing = 4;
constexpr float kFloorY = -0.5f;
constexpr float kFloorHalfSize = 80;
constexpr float kSphereRadius = 7;
constexpr float kShellRadius = 7.2f;
constexpr float kSatelliteRadius = 3;
constexpr int kSphereDetail = 32;

void DrawPlaza() {
  PillarPlace places[kPlazaSide * kPlazaSide];
  const int count = SquareGridPlaces(kPlazaFirst, kPlazaLast, kPlazaPillarSpacing, FinalePillarHeight, places);
  DrawPillars(places, count, PillarEdges::wide);
}

// Untextured and in the last pillar's black: it hides the pillars' feet below it.
void DrawFloor() {
  const float h = kFloorHalfSize;
  glBegin(GL_QUADS);
  glTexCoord2f(2, 2);
  glVertex3f(-h, kFloorY, -h);
  glTexCoord2f(0, 2);
  glVertex3f(h, kFloorY, -h);
  glTexCoord2f(0, 0);
  glVertex3f(h, kFloorY, h);
  glTexCoord2f(2, 0);
  glVertex3f(-h, kFloorY, h);
  glEnd();
}

void DrawSphereGroup(float t, float drop, float swing) {
  glPushMatrix();
  glColor3f(1, 1, 1);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::envifoo));
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  glTranslatef(0, drop, 0);
  // Turned so that the shell spins about a horizontal axis and the satellites orbit flat.
  glRotatef(90, 1, 0, 0);
  gluSphere(sharedQuadric, kSphereRadius, kSphereDetail, kSphereDetail);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);

  // Additive, so it glows with band 6 and vanishes when the band is silent.
  glPushMatrix();
  glRotatef(-30 * t, 0, 1, 0);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glColor4f(1, 1, 1, SpectrumBands[kBandOfShell]);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::pcb3));
  gluSphere(sharedQuadric, kShellRadius, kSphereDetail, kSphereDetail);
  glDisable(GL_BLEND);
  glPopMatrix();

  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::envifoo));
  glPushMatrix();
  glRotatef(200 * t, 0, 0, 1);
  const float satelliteX[2] = {swing, -swing};
  for (const float x : satelliteX) {
    glPushMatrix();
    glTranslatef(x, 0, 0);
    gluSphere(sharedQuadric, kSatelliteRadius, kSphereDetail, kSphereDetail);
    glPopMatrix();
  }
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glPopMatrix();

  glPopMatrix();
}
}  // namespace

Point3 FinaleEye(float t) {
  return {static_cast<float>(60 * std::sin(t / 3.0)), static_cast<float>(30 * std::cos(0.5 - t / 14.0) + 10),
          static_cast<float>(60 * std::cos(t / 3.0))};
}

float FinaleDrop(float t) {
  const PathKey dropKeys[2] = {{0, 0, 70, 0}, {0, 0, 25, 3000}};
  return PathZ(dropKeys, 2, (t - 240) * 100);
}

float FinaleSwing(float t) {
  const PathKey swingKeys[4] = {{0, 0, 50, 0}, {0, 0, 22, 300}, {0, 0, 22, 1300}, {0, 0, 50, 1500}};
  return PathZ(swingKeys, 4, (t - 262) * 100);
}

float FinalePillarHeight(int i, int j) { return static_cast<float>(2 * std::sin(i * j) + 4); }

void DrawFinaleScene() {
  const float t = DemoClock;
  glLoadIdentity();
  const Point3 eye = FinaleEye(t);
  gluLookAt(eye.x, eye.y, eye.z, 0, 20, 0, 0, 1, 0);
  glFogf(GL_FOG_START, kFinaleFog.start);
  glFogf(GL_FOG_END, kFinaleFog.end);
  glEnable(GL_FOG);

  DrawPlaza();
  DrawFloor();
  DrawSphereGroup(t, FinaleDrop(t), FinaleSwing(t));

  glDisable(GL_FOG);
}
