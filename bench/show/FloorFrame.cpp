// Same pass count and sizes as the show's frame at t, each pass one textured quad.
#include "bench/show/FloorFrame.h"

#include "director/Timeline.h"
#include "render/Gl.h"
#include "render/Glow.h"
#include "render/Overlays.h"

namespace {
constexpr int kWidth = 800, kHeight = 600;
GLuint floorFrame = 0, floorHalf = 0;

GLuint MakeRectangle(int width, int height) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, name);
  glTexImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, GL_RGB8, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
  return name;
}

void Copy(int width, int height) { glCopyTexSubImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, 0, 0, 0, 0, width, height); }

void Passes(int count, int w, int h) {
  glBegin(GL_QUADS);
  for (int i = 0; i < count; ++i) DrawRectQuad(w, h, 0, 0);
  glEnd();
}

void ScreenQuad(float x0, float y0, float x1, float y1) {
  glBegin(GL_QUADS);
  glVertex2f(x0, y0);
  glVertex2f(x0, y1);
  glVertex2f(x1, y1);
  glVertex2f(x1, y0);
  glEnd();
}

// The glow's work: one full copy, three half copies, the shrink and power passes and the two
// blur directions at half size, then the layers and the sharp frame at full size.
void GlowFill(const GlowParameters& glow) {
  const int taps = 2 * static_cast<int>(glow.a) + 1;
  int layers = 1;
  for (int k = 1; k < glow.c; ++k) ++layers;
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_RECTANGLE_ARB);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glColor4f(1, 1, 1, 0.5f);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, 1, 1, 0, 0.1, 100);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, floorFrame);
  Copy(kWidth, kHeight);
  glViewport(0, 0, kWidth / 2, kHeight / 2);
  Passes(1 + static_cast<int>(glow.b), kWidth, kHeight);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, floorHalf);
  for (int direction = 0; direction < 2; ++direction) {
    Copy(kWidth / 2, kHeight / 2);
    Passes(taps, kWidth / 2, kHeight / 2);
  }
  Copy(kWidth / 2, kHeight / 2);
  glViewport(0, 0, kWidth, kHeight);
  Passes(layers, kWidth / 2, kHeight / 2);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, floorFrame);
  Passes(1, kWidth, kHeight);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glDisable(GL_TEXTURE_RECTANGLE_ARB);
  glEnable(GL_DEPTH_TEST);
}

// Flash, white and black fades, the 120 scanlines, the inversion while it runs, the two bars.
void LayerFill(float t) {
  Begin2D();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(1, 1, 1, 0.5f);
  const int fades = 57 < t && t < 61.5f ? 4 : 3;
  for (int i = 0; i < fades; ++i) ScreenQuad(0, 0, kWidth, kHeight);
  for (int y = 0; y < kHeight; y += 5) ScreenQuad(0, static_cast<float>(y), kWidth, static_cast<float>(y + 2));
  glDisable(GL_BLEND);
  ScreenQuad(0, 0, kWidth, 70);
  ScreenQuad(0, 530, kWidth, kHeight);
  End2D();
}
}  // namespace

void CreateFloorTextures() {
  floorFrame = MakeRectangle(kWidth, kHeight);
  floorHalf = MakeRectangle(kWidth / 2, kHeight / 2);
}

void DrawFloorFrame(float t) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  GlowFill(GlowForTime(t));
  LayerFill(t);
  glColor3f(1, 1, 1);
}
