// Scene: one full-screen picture shrinking from a close-up to its full size.
#include "scenes/PictureZoomScene.h"

#include "assets/Path.h"
#include "director/DemoState.h"
#include "platform/Gl.h"
#include "scenes/Scenes.h"

namespace {
// At this distance the 45-degree view is about 0.994 units half-wide, so a scale of at least
// 1 always fills the screen; the picture lies nearer than the overlays' plane.
constexpr float kPictureDistance = 1.8f;
}  // namespace

float PictureZoomScale(float t) {
  const PathKey zoomKeys[2] = {{0, 0, 7, 0}, {0, 0, 1, 1100}};
  float point[3];
  EvalPath(zoomKeys, 2, (t - 150) * 100, point);
  return point[2];
}

void DrawPictureZoomScene() {
  const float s = PictureZoomScale(DemoClock);
  glLoadIdentity();
  glTranslatef(0, 0, -kPictureDistance);
  glScalef(s, s, 1);

  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::gromeyes));
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex3f(-1, -1, 0);
  glTexCoord2f(1, 0);
  glVertex3f(1, -1, 0);
  glTexCoord2f(1, 1);
  glVertex3f(1, 1, 0);
  glTexCoord2f(0, 1);
  glVertex3f(-1, 1, 0);
  glEnd();
}
