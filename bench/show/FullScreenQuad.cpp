// The full-screen quad the bench divides every time by, so machines and loads compare.
#include "bench/show/FullScreenQuad.h"

#include <vector>

#include "bench/show/FrameStats.h"
#include "platform/MonotonicTime.h"
#include "platform/Gl.h"

namespace {
constexpr int kSamples = 15;
constexpr int kQuadsPerSample = 4;  // spreads the glFinish's own cost
GLuint quadTexture = 0;
int quadWidth = 0, quadHeight = 0;

void DrawQuad() {
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-1, -1);
  glTexCoord2f(1, 0);
  glVertex2f(1, -1);
  glTexCoord2f(1, 1);
  glVertex2f(1, 1);
  glTexCoord2f(0, 1);
  glVertex2f(-1, 1);
  glEnd();
}
}  // namespace

void CreateFullScreenQuad() {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  quadWidth = viewport[2];
  quadHeight = viewport[3];
  // Noise, so no renderer can take a shortcut on a flat picture.
  std::vector<uint8_t> texels(static_cast<size_t>(quadWidth) * quadHeight * 3);
  uint32_t state = 1;
  for (uint8_t& texel : texels) {
    state = state * 214013u + 2531011u;
    texel = static_cast<uint8_t>(state >> 16);
  }
  glGenTextures(1, &quadTexture);
  glBindTexture(GL_TEXTURE_2D, quadTexture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, quadWidth, quadHeight, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
}

double MeasureFullScreenQuadMs() {
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_VIEWPORT_BIT);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glViewport(0, 0, quadWidth, quadHeight);
  glDisable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_FOG);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, quadTexture);
  glColor3f(1, 1, 1);
  glFinish();
  std::vector<double> samples;
  samples.reserve(kSamples + 1);
  DrawQuad();  // the rasteriser compiles its shader for the state here
  glFinish();
  for (int s = 0; s < kSamples; ++s) {
    const double start = MonotonicSeconds();
    for (int q = 0; q < kQuadsPerSample; ++q) DrawQuad();
    glFinish();
    samples.push_back((MonotonicSeconds() - start) * 1000.0 / kQuadsPerSample);
  }
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glPopAttrib();
  return Median(samples);
}
