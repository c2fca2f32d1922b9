// Scene: the enlarged environment-mapped model inside a box lined with circuit board.
#include "scenes/DeformedScene.h"

#include <cmath>

#include "director/DemoState.h"
#include "render/Box.h"
#include "platform/Gl.h"
#include "scenes/Scenes.h"

namespace {
constexpr float kModelScale = 1.5f;
// Applied on top of the model scale: the box spans -45..45, well outside the camera's reach.
constexpr float kBoxScale = 30;
}  // namespace

Point3 DeformedEye(float t) {
  return {static_cast<float>(20 * std::sin(2.0 * t)), static_cast<float>(25 * std::cos(0.4 * t)),
          static_cast<float>(20 * std::cos(2.0 * t) + 4.8)};
}

void DrawDeformedScene() {
  glDisable(GL_FOG);
  glLoadIdentity();
  const Point3 eye = DeformedEye(DemoClock);
  gluLookAt(eye.x, eye.y, eye.z, 0, 0, 0, 0, 1, 0);

  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::envifoo));
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  // Not undone: the box below is scaled on top of it.
  glScalef(kModelScale, kModelScale, kModelScale);
  DrawModel(models.deformed);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);

  glPushMatrix();
  glScalef(kBoxScale, kBoxScale, kBoxScale);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::pcb3));
  DrawBox();
  glPopMatrix();
}
