// Offscreen desktop GL compatibility context on EGL: no window system, no display server.
#include "platform/HeadlessGl.h"

#include <GL/gl.h>

#include "platform/HeadlessEgl.h"

bool CreateHeadlessGl(int width, int height, HeadlessGl& gl, std::string& error) {
  return CreateEglPbufferContext(width, height, EGL_OPENGL_API, EGL_OPENGL_BIT, nullptr, gl, error);
}

void ReadFrameRgb(int width, int height, std::vector<uint8_t>& rgb) {
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  rgb.resize(rowBytes * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  FlipRgbRows(rgb, width, height);
}
