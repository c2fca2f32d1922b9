// Render test helpers.
#include "RenderProbe.h"

#include <cstdlib>
#include <cstring>

GlStateSnapshot CaptureGlState() {
  GlStateSnapshot s;
  glGetFloatv(GL_CURRENT_COLOR, s.colour);
  s.blend = glIsEnabled(GL_BLEND);
  s.texture2d = glIsEnabled(GL_TEXTURE_2D);
  s.textureRect = glIsEnabled(GL_TEXTURE_RECTANGLE_ARB);
  s.depthTest = glIsEnabled(GL_DEPTH_TEST);
  glGetIntegerv(GL_BLEND_SRC, &s.blendSrc);
  glGetIntegerv(GL_BLEND_DST, &s.blendDst);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.binding2d);
  glGetIntegerv(GL_TEXTURE_BINDING_RECTANGLE_ARB, &s.bindingRect);
  glGetFloatv(GL_LINE_WIDTH, &s.lineWidth);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &s.modelviewDepth);
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &s.projectionDepth);
  glGetIntegerv(GL_MATRIX_MODE, &s.matrixMode);
  glGetIntegerv(GL_VIEWPORT, s.viewport);
  return s;
}

void ResetSceneState() {
  glViewport(0, 0, 800, 600);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45, 800.0 / 600.0, 1, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor4f(1, 1, 1, 1);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_TEXTURE_RECTANGLE_ARB);
  glDisable(GL_CULL_FACE);
  glDisable(GL_FOG);
  glLineWidth(1);
  glClearColor(0, 0, 0, 0);
  glClearDepth(1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void WriteFrame(const std::vector<uint8_t>& rgb) {
  std::vector<uint8_t> bottomUp(rgb.size());
  const size_t row = 800 * 3;
  for (size_t y = 0; y < 600; ++y) std::memcpy(&bottomUp[(599 - y) * row], &rgb[y * row], row);
  glPushAttrib(GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_TEXTURE_RECTANGLE_ARB);
  glDepthMask(GL_FALSE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glWindowPos2i(0, 0);
  glDrawPixels(800, 600, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  glPopAttrib();
}

std::vector<uint8_t> UniformFrame(uint8_t r, uint8_t g, uint8_t b) {
  std::vector<uint8_t> rgb(800 * 600 * 3);
  for (size_t i = 0; i < rgb.size(); i += 3) {
    rgb[i] = r;
    rgb[i + 1] = g;
    rgb[i + 2] = b;
  }
  return rgb;
}

GLuint MakeTexture(int width, int height, const std::vector<uint8_t>& rgba) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return name;
}

int MaxDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  int worst = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) worst = std::max(worst, std::abs(a[i] - b[i]));
  return worst;
}
