// Scene: a field of blue-edged black pillars, with a circuit-board sphere rising through it.
#include "scenes/PillarFieldScene.h"

#include <cmath>

#include "director/DemoState.h"
#include "render/Box.h"
#include "platform/Gl.h"
#include "render/RenderSize.h"
#include "render/ViewCulling.h"
#include "scenes/Scenes.h"

Point3 PillarFieldEye(float t) {
  const double angle = 0.5 * t;
  return {static_cast<float>(20 * std::sin(angle)), 25, static_cast<float>(20 * std::cos(angle))};
}

float PillarHeight(int i, int j) { return static_cast<float>(15 * std::sin(0.1 * i * j) + 1.3); }

float RisingSphereHeight(float t) { return 2.5f * (t - 86) + 6; }

namespace {
// Wireframe first, then the black solid with the same transform: under the less-or-equal depth
// test the faces paint over the edge pixels that fall inside them, leaving a thin blue outline.
// The line width is the one in force, which the sphere below leaves at 2 for the next frame.
void DrawPillar(int i, int j) {
  glPushMatrix();
  glTranslatef(kPillarSpacing * i, 0, kPillarSpacing * j);
  glScalef(1, PillarHeight(i, j), 1);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glColor3fv(kPillarEdgeColour);
  DrawBox();
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glColor3f(0, 0, 0);
  DrawBox();
  glPopMatrix();
}
}  // namespace

void DrawPillarFieldScene() {
  const float t = DemoClock;
  glLoadIdentity();
  const Point3 eye = PillarFieldEye(t);
  gluLookAt(eye.x, eye.y, eye.z, kPillarFieldAim.x, kPillarFieldAim.y, kPillarFieldAim.z, 0, 1, 0);

  // The shortcuts send only the pillars the clipper would not discard whole; a pillar left out
  // last leaves what a drawn one would.
  const ViewVolume view = CurrentViewVolume();
  bool lastLeftOut = false;
  for (int i = kPillarFieldFirst; i < kPillarFieldEnd; ++i) {
    for (int j = kPillarFieldFirst; j < kPillarFieldEnd; ++j) {
      lastLeftOut = PillarOutside(view, kPillarSpacing * i, kPillarSpacing * j, PillarHeight(i, j));
      if (!lastLeftOut) DrawPillar(i, j);
    }
  }
  if (lastLeftOut) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColor3f(0, 0, 0);
    LeaveBoxTexCoord();
  }

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
