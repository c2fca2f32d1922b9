// Scene: the planet hanging in its star box, ringed by glowing bubbles, seen from a slow orbit.
#include "scenes/PlanetScene.h"

#include <cmath>

#include "director/DemoState.h"
#include "render/Box.h"
#include "platform/Gl.h"
#include "render/Sprite.h"
#include "scenes/Scenes.h"

Point3 PlanetEye(float t) {
  const double angle = 0.1 * t;
  return {static_cast<float>(8.5 * std::sin(angle)), 0, static_cast<float>(8.5 * std::cos(angle) + 4.8)};
}

void DrawPlanetScene() {
  const float t = DemoClock;
  glLoadIdentity();
  const Point3 eye = PlanetEye(t);
  gluLookAt(eye.x, eye.y, eye.z, 0, 0, 0, 0, 1, 0);

  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::planet));
  // Lays the quadric's polar axis vertical; it stays in force for the box and the bubbles.
  glRotatef(90, 1, 0, 0);
  gluSphere(sharedQuadric, kPlanetRadius, 64, 64);

  glPushMatrix();
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::stars));
  glScalef(kPlanetStarBoxScale, kPlanetStarBoxScale, kPlanetStarBoxScale);
  DrawBox();
  glPopMatrix();

  // Additive bubbles; depth testing stays on, so the planet hides the ones behind it.
  glPushMatrix();
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::bubble));
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_BLEND);
  for (int i = 0; i < kPlanetBubbleCount; ++i) DrawSprite(cloudPoints[i], kPlanetBubbleSize);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glPopMatrix();
}
