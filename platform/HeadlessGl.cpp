// Offscreen GL context on EGL: no window system, no display server.
#include "platform/HeadlessGl.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstring>

#include "platform/FileBytes.h"
#include "platform/PngImage.h"

namespace {

EGLDisplay OpenSurfacelessDisplay() {
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (getPlatformDisplay) {
    EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display != EGL_NO_DISPLAY) return display;
  }
  return eglGetDisplay(EGL_DEFAULT_DISPLAY);
}

}  // namespace

bool CreateHeadlessGl(int width, int height, HeadlessGl& gl, std::string& error) {
  EGLDisplay display = OpenSurfacelessDisplay();
  EGLint major = 0, minor = 0;
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
    error = "EGL: no display could be initialised";
    return false;
  }
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8,
                                     EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8, EGL_DEPTH_SIZE, 16,
                                     EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint configCount = 0;
  if (!eglChooseConfig(display, configAttributes, &config, 1, &configCount) || configCount < 1) {
    error = "EGL: no RGBA8 pbuffer config with a depth buffer";
    eglTerminate(display);
    return false;
  }
  const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
  if (surface == EGL_NO_SURFACE || !eglBindAPI(EGL_OPENGL_API)) {
    error = "EGL: cannot create a pbuffer surface";
    eglTerminate(display);
    return false;
  }
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
  if (context == EGL_NO_CONTEXT || !eglMakeCurrent(display, surface, surface, context)) {
    error = "EGL: cannot create or bind an OpenGL context";
    eglDestroySurface(display, surface);
    eglTerminate(display);
    return false;
  }
  gl = {display, surface, context, width, height};
  return true;
}

void DestroyHeadlessGl(HeadlessGl& gl) {
  if (!gl.display) return;
  eglMakeCurrent(gl.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(gl.display, gl.context);
  eglDestroySurface(gl.display, gl.surface);
  eglTerminate(gl.display);
  gl = {};
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
  // GL rows run bottom-up; swap them in place so row 0 is the top of the picture (no scratch
  // row).
  for (int y = 0; y < frameHeight / 2; ++y) {
    uint8_t* upper = rgb.data() + rowBytes * y;
    std::swap_ranges(upper, upper + rowBytes, rgb.data() + rowBytes * (frameHeight - 1 - y));
  }
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

bool WriteFramePng(const std::string& path, int width, int height, std::string& error) {
  PngImage image;
  image.width = width;
  image.height = height;
  image.channels = 3;
  ReadFrameRgb(width, height, image.pixels);
  std::vector<uint8_t> bytes;
  if (!EncodePng(image, bytes, error)) return false;
  if (!WriteFileBytes(path, bytes)) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}
