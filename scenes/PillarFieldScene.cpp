// Scene: a field of blue-edged black pillars, with a circuit-board sphere rising through it.
#include "scenes/PillarFieldScene.h"

#include <cmath>

#include "director/DemoState.h"
#include "platform/Gl.h"
#include "render/RenderSize.h"
#include "scenes/PillarGrid.h"
#include "scenes/Scenes.h"

Point3 PillarFieldEye(float t) {
  const double angle = 0.5 * t;
  return {static_cast<float>(20 * std::sin(angle)), 25, static_cast<float>(20 * std::cos(angle))};
}

float PillarHeight(int i, int j) { return static_cast<float>(15 * std::sin(0.1 * i * j) + 1.3); }

float RisingSphereHeight(float t) { return 2.5f * (t - 86) + 6; }

void DrawPillarFieldScene() {
  const float t = DemoClock;
  glLoadIdentity();
  const Point3 eye = PillarFieldEye(t);
  gluLookAt(eye.x, eye.y, eye.z, kPillarFieldAim.x, kPillarFieldAim.y, kPillarFieldAim.z, 0, 1, 0);

  // The edges take the line width in force: the one the sphere below left the frame before.
  PillarPlace places[kPillarFieldSide * kPillarFieldSide];
  const int count = SquareGridPlaces(kPillarFieldFirst, kPillarFieldLast, kFieldPillarSpacing, PillarHeight, places);
  DrawPillars(places, count, PillarEdges::widthInForce);

  glTranslatef(0, RisingSphereHeight(t), 0);
  glRotatef(90, 1, 0, 0);  // the quadric's polar axis stands vertical
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::pcb));
  glPushMatrix();
  glColor3f(1, 1, 1);
  glRotatef(20 * t, 0, 0, 1);
  glLineWidth(ScreenPixels(2));
  gluSphere(sharedQuadric, 2.6, 32, 32);
  glColor4f(1, 1, 1, 1);
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
}
