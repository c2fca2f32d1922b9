// Offscreen desktop GL compatibility context on EGL: no window system, no display server.
#include "platform/HeadlessGl.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>

#include "platform/HeadlessEgl.h"

bool CreateHeadlessGl(int width, int height, HeadlessGl& gl, std::string& error) {
  return CreateEglPbufferContext(width, height, EGL_OPENGL_API, EGL_OPENGL_BIT, nullptr, gl, error);
}

GlFit HeadlessGlFits(int width, int height, std::string& message) {
  HeadlessGl probe;
  if (!CreateHeadlessGl(16, 16, probe, message)) return GlFit::noContext;
  EGLint pbufferWidth = 0, pbufferHeight = 0, configId = 0;
  EGLConfig config = nullptr;
  EGLint count = 0;
  eglQueryContext(probe.display, probe.context, EGL_CONFIG_ID, &configId);
  const EGLint byId[] = {EGL_CONFIG_ID, configId, EGL_NONE};
  if (eglChooseConfig(probe.display, byId, &config, 1, &count) && count == 1) {
    eglGetConfigAttrib(probe.display, config, EGL_MAX_PBUFFER_WIDTH, &pbufferWidth);
    eglGetConfigAttrib(probe.display, config, EGL_MAX_PBUFFER_HEIGHT, &pbufferHeight);
  }
  GLint viewport[2] = {0, 0}, rectangle = 0;
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
  glGetIntegerv(GL_MAX_RECTANGLE_TEXTURE_SIZE, &rectangle);
  DestroyHeadlessGl(probe);
  const struct {
    int width, height;
    const char* name;
  } limits[] = {{pbufferWidth, pbufferHeight, "EGL_MAX_PBUFFER_WIDTH/HEIGHT"},
                {viewport[0], viewport[1], "GL_MAX_VIEWPORT_DIMS"},
                {rectangle, rectangle, "GL_MAX_RECTANGLE_TEXTURE_SIZE"}};
  for (const auto& l : limits) {
    if (l.width > 0 && l.height > 0 && (width > l.width || height > l.height)) {
      message = std::to_string(l.width) + " x " + std::to_string(l.height) + " (" + l.name + ")";
      return GlFit::tooLarge;
    }
  }
  return GlFit::fits;
}

void ReadFrameRgb(int width, int height, std::vector<uint8_t>& rgb) {
  ReadPictureRgb(width, height, width, height, rgb);
}

void ReadPictureRgb(int width, int height, int frameWidth, int frameHeight, std::vector<uint8_t>& rgb) {
  const size_t rowBytes = static_cast<size_t>(frameWidth) * 3;
  rgb.resize(rowBytes * frameHeight);
  const int left = (frameWidth - width) / 2, top = (frameHeight - height) / 2;
  // Read bottom-up where the flip below puts the picture top rows down from row top.
  const int readRow = frameHeight - height - top;
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ROW_LENGTH, frameWidth);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data() + rowBytes * readRow + left * 3);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  FlipRgbRows(rgb, frameWidth, frameHeight);
  if (width == frameWidth && height == frameHeight) return;
  for (int y = 0; y < frameHeight; ++y) {
    uint8_t* row = rgb.data() + rowBytes * y;
    if (y < top || y >= top + height) {
      std::memset(row, 0, rowBytes);
      continue;
    }
    std::memset(row, 0, static_cast<size_t>(left) * 3);
    std::memset(row + static_cast<size_t>(left + width) * 3, 0, static_cast<size_t>(frameWidth - left - width) * 3);
  }
}
