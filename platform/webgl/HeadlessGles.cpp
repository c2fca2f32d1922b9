// The headless context of the tools on OpenGL ES 3 with the GL 1.x layer on top: the same
// interface as the desktop one, so a capture of the show through the layer needs no other code.
#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <algorithm>

#include "platform/FileBytes.h"
#include "platform/HeadlessGl.h"
#include "platform/PngImage.h"
#define VEX_GL_LAYER_IMPLEMENTATION
#include "platform/webgl/GlLayer.h"

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

bool Fail(EGLDisplay display, std::string& error, const char* message) {
  error = message;
  eglTerminate(display);
  return false;
}

}  // namespace

bool CreateHeadlessGl(int width, int height, HeadlessGl& gl, std::string& error) {
  EGLDisplay display = OpenSurfacelessDisplay();
  EGLint major = 0, minor = 0;
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
    error = "EGL: no display could be initialised";
    return false;
  }
  // The same buffer as the desktop context's, so both round depths alike.
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8,
                                     EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8, EGL_DEPTH_SIZE, 16,
                                     EGL_RENDERABLE_TYPE, EGL_OPENGL_ES3_BIT, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint configCount = 0;
  if (!eglChooseConfig(display, configAttributes, &config, 1, &configCount) || configCount < 1)
    return Fail(display, error, "EGL: no RGBA8 ES 3 pbuffer config with a depth buffer");
  const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
  if (surface == EGL_NO_SURFACE || !eglBindAPI(EGL_OPENGL_ES_API))
    return Fail(display, error, "EGL: cannot create a pbuffer surface");
  const EGLint contextAttributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_NONE};
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
  if (context == EGL_NO_CONTEXT || !eglMakeCurrent(display, surface, surface, context)) {
    eglDestroySurface(display, surface);
    return Fail(display, error, "EGL: cannot create or bind an OpenGL ES 3 context");
  }
  gl = {display, surface, context, width, height};
  if (!vglInit(width, height)) {
    DestroyHeadlessGl(gl);
    error = "GL layer: its shader did not build";
    return false;
  }
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

// ES reads RGBA only; the alpha is dropped in place, front to back.
void ReadFrameRgb(int width, int height, std::vector<uint8_t>& rgb) {
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  rgb.resize(static_cast<size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgb.data());
  const size_t pixels = static_cast<size_t>(width) * height;
  for (size_t p = 0; p < pixels; ++p)
    for (int c = 0; c < 3; ++c) rgb[p * 3 + c] = rgb[p * 4 + c];
  rgb.resize(rowBytes * height);
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
