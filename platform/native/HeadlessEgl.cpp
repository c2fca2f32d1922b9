// The EGL side of the headless contexts: no window system, no display server.
#include "platform/HeadlessEgl.h"

#include <EGL/eglext.h>
#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/PngFile.h"

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

EGLDisplay sharedDisplay = EGL_NO_DISPLAY;

// Keeps the driver EGL loaded mapped to the end of the process. Terminating the display
// unloads it, and the driver's globals go with it while blocks they point to stay allocated:
// the leak checker, which runs after every exit handler, then reports those blocks as lost
// from an unknown module.
int PinDriverModule(dl_phdr_info* info, size_t, void*) {
  if (info->dlpi_name && std::strstr(info->dlpi_name, "_dri.so"))
    dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  return 0;
}

// At exit, so that the driver's rasteriser threads have ended before the leak checker stops
// every thread to read their stacks.
void TerminateSharedDisplay() {
  eglMakeCurrent(sharedDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglTerminate(sharedDisplay);
}

// Initialised once for the process, so that the tools' probe of the renderer's limits and
// their real context share one load of the driver.
EGLDisplay InitializedDisplay() {
  static const bool initialized = [] {
    EGLDisplay opened = OpenSurfacelessDisplay();
    EGLint major = 0, minor = 0;
    if (opened == EGL_NO_DISPLAY || !eglInitialize(opened, &major, &minor)) return false;
    dl_iterate_phdr(PinDriverModule, nullptr);
    sharedDisplay = opened;
    std::atexit(TerminateSharedDisplay);
    return true;
  }();
  return initialized ? sharedDisplay : EGL_NO_DISPLAY;
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
  return WritePngFile(path, image, error);
}
