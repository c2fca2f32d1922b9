// The headless context of the tools on OpenGL ES 3 with the GL 1.x layer on top: the same
// interface as the desktop one, so a capture of the show through the layer needs no other code.
#include "platform/HeadlessEgl.h"
#define VEX_GL_LAYER_IMPLEMENTATION
#include "platform/webgl/GlLayer.h"

bool CreateHeadlessGl(int width, int height, HeadlessGl& gl, std::string& error) {
  const EGLint contextAttributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_NONE};
  if (!CreateEglPbufferContext(width, height, EGL_OPENGL_ES_API, EGL_OPENGL_ES3_BIT, contextAttributes, gl, error))
    return false;
  if (!vglInit(width, height)) {
    DestroyHeadlessGl(gl);
    error = "GL layer: its shader did not build";
    return false;
  }
  return true;
}

// ES reads RGBA only; the alpha is dropped in place, front to back.
void ReadFrameRgb(int width, int height, std::vector<uint8_t>& rgb) {
  const size_t pixels = static_cast<size_t>(width) * height;
  rgb.resize(pixels * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgb.data());
  for (size_t p = 0; p < pixels; ++p)
    for (int c = 0; c < 3; ++c) rgb[p * 3 + c] = rgb[p * 4 + c];
  rgb.resize(pixels * 3);
  FlipRgbRows(rgb, width, height);
}
