// The EGL side of the headless contexts: no window system, no display server.
#include "platform/HeadlessEgl.h"

#include <EGL/eglext.h>

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

// Initialised once and never terminated: terminating unloads the driver, and the next context
// (the tools probe the renderer's limits first) would load it again. An unloaded driver also
// takes with it the globals that still point at its allocations, so the leak checker reports
// them as lost from an unknown module.
EGLDisplay InitializedDisplay() {
  static const EGLDisplay display = [] {
    EGLDisplay opened = OpenSurfacelessDisplay();
    EGLint major = 0, minor = 0;
    return opened != EGL_NO_DISPLAY && eglInitialize(opened, &major, &minor) ? opened : EGL_NO_DISPLAY;
  }();
  return display;
}

}  // namespace

bool CreateEglPbufferContext(int width, int height, EGLenum api, EGLint renderableBit, const EGLint* contextAttributes,
                             HeadlessGl& gl, std::string& error) {
  EGLDisplay display = InitializedDisplay();
  if (display == EGL_NO_DISPLAY) {
    error = "EGL: no display could be initialised";
    return false;
  }
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8,
                                     EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8, EGL_DEPTH_SIZE, 16,
                                     EGL_RENDERABLE_TYPE, renderableBit, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint configCount = 0;
  if (!eglChooseConfig(display, configAttributes, &config, 1, &configCount) || configCount < 1) {
    error = "EGL: no RGBA8 pbuffer config with a depth buffer";
    return false;
  }
  const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
  if (surface == EGL_NO_SURFACE || !eglBindAPI(api)) {
    error = "EGL: cannot create a pbuffer surface";
    if (surface != EGL_NO_SURFACE) eglDestroySurface(display, surface);
    return false;
  }
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
  if (context == EGL_NO_CONTEXT || !eglMakeCurrent(display, surface, surface, context)) {
    error = api == EGL_OPENGL_API ? "EGL: cannot create or bind an OpenGL context"
                                  : "EGL: cannot create or bind an OpenGL ES context";
    if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
    eglDestroySurface(display, surface);
    return false;
  }
  gl = {display, surface, context, width, height};
  return true;
}

void FlipRgbRows(std::vector<uint8_t>& rgb, int width, int height) {
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  for (int y = 0; y < height / 2; ++y) {
    uint8_t* top = rgb.data() + rowBytes * y;
    std::swap_ranges(top, top + rowBytes, rgb.data() + rowBytes * (height - 1 - y));
  }
}

void DestroyHeadlessGl(HeadlessGl& gl) {
  if (!gl.display) return;
  eglMakeCurrent(gl.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(gl.display, gl.context);
  eglDestroySurface(gl.display, gl.surface);
  gl = {};
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
