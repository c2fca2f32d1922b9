// Offscreen GL context on EGL: no window system, no display server.
#include "platform/HeadlessGl.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <algorithm>

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

void ReadFrameRgb(int width, int height, std::vector<uint8_t>& rgb) {
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  rgb.resize(rowBytes * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  // GL rows run bottom-up; swap them in place so row 0 is the top of the picture (no scratch
  // row, so a frame read into a buffer of the right size allocates nothing).
  for (int y = 0; y < height / 2; ++y) {
    uint8_t* top = rgb.data() + rowBytes * y;
    std::swap_ranges(top, top + rowBytes, rgb.data() + rowBytes * (height - 1 - y));
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
